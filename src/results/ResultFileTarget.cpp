#include "ResultFileTarget.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace {

QByteArray DirectoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Failures that writing in place would meet as well, and then after the old content is gone.
bool ShortOfResources(int number) {
    return number == ENOSPC || number == EDQUOT || number == EMFILE || number == ENFILE ||
           number == ENOMEM || number == EIO;
}

// The temporary file must become the old file in all but content: same file system (a rename
// cannot cross one, nor replace a mount point), same owner and group, same mode. chown clears
// set-id bits, so the mode comes last.
bool MatchOldFile(int tempFd, const struct stat& old) {
    struct stat temp {};
    if (::fstat(tempFd, &temp) != 0 || temp.st_dev != old.st_dev)
        return false;
    if ((temp.st_uid != old.st_uid || temp.st_gid != old.st_gid) &&
        ::fchown(tempFd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(tempFd, old.st_mode & 07777) == 0;
}

} // namespace

WriteOutcome ResultFileTarget::open(const QString& path, mode_t newFileMode) {
    abort();
    m_inPlace = false;
    m_regular = true;
    m_written = 0;
    m_oldSize = 0;
    m_sizeChanged = false;
    if (path.isEmpty())
        return ErrnoOutcome(ENOENT);
    m_path = QFile::encodeName(path);

    // Opening for writing first asks the real question: may this user write this file? It does
    // not change the file. O_NONBLOCK keeps a pipe without a reader from hanging the program.
    const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0)
        return openExisting(fd);
    if (errno != ENOENT)
        return ErrnoOutcome(errno);
    return openNew(newFileMode);
}

WriteOutcome ResultFileTarget::openExisting(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    struct stat old {};
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || ::fstat(fd, &old) != 0) {
        const int number = errno;
        ::close(fd);
        return ErrnoOutcome(number);
    }
    m_fd = fd;
    m_inPlace = true;
    if (!S_ISREG(old.st_mode)) {
        m_regular = false; // a device or a pipe: nothing to replace
        return {};
    }
    m_oldSize = old.st_size;
    if (old.st_nlink != 1)
        return {}; // replacing would part this name from the file's other names
    if (::fgetxattr(fd, "system.posix_acl_access", nullptr, 0) >= 0)
        return {}; // a new file would lose the access list, and its group bits would mean more

    // The rename must replace the file itself, not a symbolic link that leads to it.
    if (char* real = ::realpath(m_path.constData(), nullptr)) {
        m_path = real;
        std::free(real);
    }
    m_fd = -1;
    const int number = createTemporary();
    if (number == 0 && MatchOldFile(m_fd, old)) {
        m_inPlace = false;
        ::close(fd);
        return {};
    }
    if (number == 0)
        dropTemporary();
    if (ShortOfResources(number)) {
        ::close(fd);
        return ErrnoOutcome(number);
    }
    m_fd = fd; // the directory takes no new file, or the owner cannot be given back
    return {};
}

WriteOutcome ResultFileTarget::openNew(mode_t newFileMode) {
    struct stat link {};
    if (::lstat(m_path.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // A link to a missing file: create the file it names, as opening the name would.
        const int fd =
            ::open(m_path.constData(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC, newFileMode);
        if (fd < 0)
            return ErrnoOutcome(errno);
        m_fd = fd;
        m_inPlace = true;
        return {};
    }
    const int number = createTemporary();
    if (number != 0)
        return ErrnoOutcome(number);
    if (newFileMode != kPrivateFileMode) { // the temporary file is made private
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(m_fd, newFileMode & ~mask) != 0)
            return fail(errno);
    }
    return {};
}

int ResultFileTarget::createTemporary() {
    // A short hidden name: it fits wherever the result's name fits, and file lists skip it.
    QByteArray name = DirectoryOf(m_path) + "/.keymill-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC); // mode 0600
    if (fd < 0)
        return errno;
    m_fd = fd;
    m_tempPath = name;
    return 0;
}

void ResultFileTarget::dropTemporary() {
    ::close(m_fd);
    ::unlink(m_tempPath.constData());
    m_fd = -1;
    m_tempPath.clear();
}

WriteOutcome ResultFileTarget::reserve(qint64 totalBytes) {
    if (m_fd < 0 || !m_regular || totalBytes <= 0)
        return {};
    struct stat before {};
    ::fstat(m_fd, &before);
    if (::fallocate(m_fd, 0, 0, totalBytes) == 0) {
        m_sizeChanged = m_sizeChanged || before.st_size < totalBytes;
        return {};
    }
    const int number = errno;
    if (number == ENOSPC || number == EDQUOT || number == EFBIG) {
        m_sizeChanged = true; // a failed call may still have grown the file
        return fail(number);
    }
    return {}; // the file system cannot set room aside; the writes will tell
}

WriteOutcome ResultFileTarget::write(QByteArrayView bytes) {
    if (m_fd < 0)
        return ErrnoOutcome(EBADF);
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t done = ::write(m_fd, data, static_cast<size_t>(left));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += done;
        left -= done;
        m_written += done;
    }
    return {};
}

WriteOutcome ResultFileTarget::commit() {
    if (m_fd < 0)
        return ErrnoOutcome(EBADF);
    if (m_inPlace) {
        if (m_regular && ::ftruncate(m_fd, m_written) != 0)
            return fail(errno);
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 || errno == EINTR ? WriteOutcome{} : ErrnoOutcome(errno);
    }
    // The data must be on disk before the name points to it, or a crash could leave an empty file
    // where the old one was.
    if (::fsync(m_fd) != 0 && errno != EINVAL)
        return fail(errno);
    const int fd = std::exchange(m_fd, -1);
    if ((::close(fd) != 0 && errno != EINTR) ||
        ::rename(m_tempPath.constData(), m_path.constData()) != 0) {
        const int number = errno;
        ::unlink(m_tempPath.constData());
        m_tempPath.clear();
        return ErrnoOutcome(number);
    }
    m_tempPath.clear();
    return {};
}

void ResultFileTarget::abort() {
    if (m_fd < 0)
        return;
    if (!m_inPlace) {
        dropTemporary();
        return;
    }
    // In place: keep exactly what was written, or undo the room that reserve() added.
    // Nothing more can be done when this fails; the failure being handled is what gets reported.
    if (m_regular && (m_written > 0 || m_sizeChanged)) {
        [[maybe_unused]] const int truncated =
            ::ftruncate(m_fd, m_written > 0 ? m_written : m_oldSize);
    }
    ::close(std::exchange(m_fd, -1));
}

WriteOutcome ResultFileTarget::fail(int number) {
    const WriteOutcome outcome = ErrnoOutcome(number);
    abort();
    return outcome;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}
