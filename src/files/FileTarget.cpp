#include "FileTarget.h"

#include "StaleTemporaries.h"
#include "TemporaryFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace {

std::atomic<bool> namedTemporaryOnly{false};

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

// open(2)'s answers when the file system or the kernel cannot make a file without a name.
bool NoUnnamedFiles(int number) {
    return number == EOPNOTSUPP || number == EISDIR || number == EINVAL;
}

// The name of an open descriptor, as linkat needs it to give an unnamed file a name without
// privileges (AT_EMPTY_PATH would need CAP_DAC_READ_SEARCH).
QByteArray DescriptorPath(int fd) {
    return QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(fd);
}

bool DescriptorPathsWork() {
    static const bool work = ::access("/proc/self/fd", X_OK) == 0;
    return work;
}

// A short hidden name beside the target: it fits wherever the target's name fits, and file lists
// skip it.
QByteArray TemporaryName(const QByteArray& directory) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = directory + "/.keymill-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

// Holds off every signal that can be held while the finished file takes the target's name, so
// that no signal ends the process between the link and the rename and leaves a name behind.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t all;
        sigfillset(&all);
        ::pthread_sigmask(SIG_BLOCK, &all, &m_old);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t m_old;
};

} // namespace

void FileTarget::setNamedTemporaryOnly(bool namedOnly) {
    namedTemporaryOnly = namedOnly;
}

WriteOutcome FileTarget::open(const QString& path, mode_t newFileMode) {
    abort();
    m_inPlace = false;
    m_replacing = false;
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

WriteOutcome FileTarget::openExisting(int fd) {
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
        m_replacing = true;
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

WriteOutcome FileTarget::openNew(mode_t newFileMode) {
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

int FileTarget::createTemporary() {
    const QByteArray directory = DirectoryOf(m_path);
    RemoveStaleTemporaries(directory);
    if (!namedTemporaryOnly && DescriptorPathsWork()) {
        const int fd = ::open(directory.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_unnamed = true;
            return 0;
        }
        if (!NoUnnamedFiles(errno))
            return errno;
    }
    QByteArray name = directory + "/.keymill-XXXXXX";
    // No signal may end the process between making the file and noting it for removal.
    const SignalsHeld held;
    const int fd = ::mkostemp(name.data(), O_CLOEXEC); // mode 0600
    if (fd < 0)
        return errno;
    TemporaryFiles::add(name);
    m_fd = fd;
    m_unnamed = false;
    m_tempPath = name;
    return 0;
}

void FileTarget::dropTemporary() {
    ::close(m_fd);
    if (!m_tempPath.isEmpty()) {
        ::unlink(m_tempPath.constData());
        TemporaryFiles::remove(m_tempPath);
    }
    m_fd = -1;
    m_unnamed = false;
    m_tempPath.clear();
}

int FileTarget::linkUnnamed() {
    const QByteArray source = DescriptorPath(m_fd);
    const SignalsHeld held;
    // A new name needs no replacement: the file takes it directly, unless a file of that name has
    // appeared since, which is then replaced as any old file is.
    if (!m_replacing) {
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, m_path.constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    // rename is the one call that replaces a name whole; it needs the file under a name first.
    const QByteArray directory = DirectoryOf(m_path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = TemporaryName(directory);
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) !=
            0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        if (::rename(name.constData(), m_path.constData()) != 0) {
            const int number = errno;
            ::unlink(name.constData());
            return number;
        }
        return 0;
    }
    return EEXIST;
}

WriteOutcome FileTarget::reserve(qint64 totalBytes) {
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

WriteOutcome FileTarget::write(QByteArrayView bytes) {
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

WriteOutcome FileTarget::commit() {
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
    if (m_unnamed) {
        const int number = linkUnnamed();
        ::close(std::exchange(m_fd, -1)); // fsync has told of any failure to store the data
        m_unnamed = false;
        return number == 0 ? WriteOutcome{} : ErrnoOutcome(number);
    }
    const int fd = std::exchange(m_fd, -1);
    if ((::close(fd) != 0 && errno != EINTR) ||
        ::rename(m_tempPath.constData(), m_path.constData()) != 0) {
        const int number = errno;
        ::unlink(m_tempPath.constData());
        TemporaryFiles::remove(m_tempPath);
        m_tempPath.clear();
        return ErrnoOutcome(number);
    }
    // A signal from here on would remove a name that no longer exists.
    TemporaryFiles::remove(m_tempPath);
    m_tempPath.clear();
    return {};
}

void FileTarget::abort() {
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

WriteOutcome FileTarget::fail(int number) {
    const WriteOutcome outcome = ErrnoOutcome(number);
    abort();
    return outcome;
}
