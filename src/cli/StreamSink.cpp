#include "StreamSink.h"

#include "CliText.h"
#include "ErrnoText.h"

#include <cerrno>
#include <unistd.h>

namespace {
// Large enough that a write call costs little per password, small enough to stay in cache.
constexpr qsizetype kBufferBytes = 64 * 1024;
} // namespace

StreamSink::StreamSink(int fd, QString name) : fd_(fd), name_(std::move(name)) {
    buffer_.resize(kBufferBytes);
}

bool StreamSink::append(QStringView password) {
    if (!write(password))
        return false;
    if (used_ + 1 > kBufferBytes && !flush())
        return false;
    buffer_[used_++] = '\n';
    return true;
}

bool StreamSink::write(QStringView text) {
    // The longest password (kMaxPasswordLength characters) needs up to three bytes a unit; it
    // goes out in pieces.
    constexpr qsizetype kPiece = kBufferBytes / 4;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype piece = std::min(kPiece, text.size() - at);
        // A surrogate pair stays whole.
        if (at + piece < text.size() && text[at + piece - 1].isHighSurrogate())
            --piece;
        const QStringView part = text.mid(at, piece);
        if (used_ + encoder_.requiredSpace(part.size()) > kBufferBytes && !flush())
            return false;
        used_ = encoder_.appendToBuffer(buffer_.data() + used_, part) - buffer_.data();
        at += piece;
    }
    return true;
}

bool StreamSink::commit() {
    return flush();
}

bool StreamSink::flush() {
    const char* data = buffer_.constData();
    qsizetype left = used_;
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EPIPE)
                error_ = Cli::tr("cannot write to %1: %2").arg(name_, ErrnoText(errno));
            return false;
        }
        data += written;
        left -= written;
    }
    used_ = 0;
    return true;
}
