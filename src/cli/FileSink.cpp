#include "FileSink.h"

#include "CliText.h"
#include "Cp932Codec.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qsizetype kBufferBytes = 64 * 1024;
} // namespace

FileSink::FileSink(QString path, OutputEncoding encoding)
    : path_(std::move(path)), encoding_(encoding) {
    buffer_.reserve(kBufferBytes + 1024);
}

FileSink::~FileSink() {
    abort();
}

bool FileSink::fail(int number) {
    error_ = Cli::tr("cannot write '%1': %2")
                 .arg(path_, QString::fromLocal8Bit(std::strerror(number != 0 ? number : EIO)));
    return false;
}

bool FileSink::open() {
    const QByteArray target = QFile::encodeName(path_);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(EISDIR);
    if (exists && !S_ISREG(old.st_mode)) {
        fd_ = ::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return fd_ >= 0 || fail(errno);
    }
    const QFileInfo info(path_);
    temporaryPath_ = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                       info.fileName() + QStringLiteral(".XXXXXX"));
    // mkstemp creates the file with mode 0600: passwords are never readable by others, not
    // even for a moment.
    fd_ = ::mkostemp(temporaryPath_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int number = errno;
        temporaryPath_.clear();
        return fail(number);
    }
    if (exists)
        ::fchmod(fd_, old.st_mode & 07777);
    return true;
}

bool FileSink::append(QStringView password) {
    if (fd_ < 0)
        return false;
    if (encoding_ == OutputEncoding::Utf8) {
        buffer_.append(password.toUtf8());
    } else {
        const Cp932EncodeResult encoded = EncodeCp932(password.toString());
        if (!encoded.bytes) {
            error_ = Cli::tr("code page 932 cannot hold '%1'; use --encoding utf-8")
                         .arg(encoded.badCharacter);
            return false;
        }
        buffer_.append(*encoded.bytes);
    }
    buffer_.append("\r\n", 2);
    return buffer_.size() < kBufferBytes || flush();
}

bool FileSink::flush() {
    const char* data = buffer_.constData();
    qsizetype left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += written;
        left -= written;
    }
    buffer_.clear();
    return true;
}

bool FileSink::commit() {
    if (fd_ < 0 || !flush())
        return false;
    // The data must be on disk before the name points at it, or a crash could leave an empty
    // file where the old one was.
    if (!temporaryPath_.isEmpty() && ::fsync(fd_) != 0)
        return fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return fail(errno);
    if (temporaryPath_.isEmpty())
        return true;
    if (::rename(temporaryPath_.constData(), QFile::encodeName(path_).constData()) != 0) {
        const int number = errno;
        ::unlink(temporaryPath_.constData());
        temporaryPath_.clear();
        return fail(number);
    }
    temporaryPath_.clear();
    return true;
}

void FileSink::abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporaryPath_.isEmpty()) {
        ::unlink(temporaryPath_.constData());
        temporaryPath_.clear();
    }
}
