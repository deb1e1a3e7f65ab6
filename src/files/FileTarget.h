#pragma once

#include "WriteOutcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <sys/types.h>

// Where the bytes of a file the program writes go, and how the file is replaced: saved lists,
// keymill-cli's --output and keymill.ini alike.
//
// A new file, and an existing regular file that can be replaced without changing it, is written
// to a temporary file in the same directory and renamed over the name on commit: until then the
// old file stays whole, and a failed or abandoned save leaves it as it was. The temporary file has
// no name while it fills (O_TMPFILE): a process killed part-way leaves nothing behind. It gets a
// name only once complete, with every signal held off until it has replaced the target. A file
// system without O_TMPFILE (a FUSE mount) gets a named temporary file (".keymill-XXXXXX") instead,
// which a signal that ends the process removes first (TemporaryFiles). A new file gets
// mode 0600 (fresh passwords are private); a replaced file gets the old file's owner, group and
// mode.
//
// The file is written in place instead (its owner, mode and hard links stay) when it has other
// hard links or an access control list, when its owner cannot be given back (an ordinary user
// overwriting another user's file), when it is a mount point, or when its directory takes no new
// file (a file the user may write in a directory the user may not). In place, bytes go over the old
// content from the start and the file is cut to the new length on commit; when a write fails, the
// file holds what was written, and nothing is changed when nothing was written. Devices and pipes
// are written in place.
class FileTarget {
public:
    FileTarget() = default;
    ~FileTarget() { abort(); }
    FileTarget(const FileTarget&) = delete;
    FileTarget& operator=(const FileTarget&) = delete;

    // A new file gets newFileMode less the process's umask; result files keep the default, so
    // that fresh passwords are private whatever the umask.
    static constexpr mode_t kPrivateFileMode = 0600;
    WriteOutcome open(const QString& path, mode_t newFileMode = kPrivateFileMode);
    // Optional: sets aside room for `totalBytes` before the first write, so a full disk or the
    // file-size limit is found before an in-place write changes anything.
    WriteOutcome reserve(qint64 totalBytes);
    WriteOutcome write(QByteArrayView bytes);
    WriteOutcome commit();
    // Drops a temporary file; in place, leaves what was written. Safe to call at any time.
    void abort();

    bool isOpen() const { return m_fd >= 0; }
    bool writesInPlace() const { return m_inPlace; }

    // For tests: the way of a file system without O_TMPFILE, a named temporary file.
    static void setNamedTemporaryOnly(bool namedOnly);

private:
    WriteOutcome openExisting(int fd);
    WriteOutcome openNew(mode_t newFileMode);
    // Creates the temporary file beside the target; returns 0 or the errno.
    int createTemporary();
    void dropTemporary();
    // Gives the finished, unnamed temporary file the target's name; returns 0 or the errno.
    int linkUnnamed();
    // Ends the attempt after a failed call: the outcome for `number`, the file left as abort()
    // does.
    WriteOutcome fail(int number);

    QByteArray m_path;     // the name the result gets (a symbolic link resolved)
    QByteArray m_tempPath; // a named temporary file; empty in place or when it has no name
    int m_fd = -1;         // the temporary file, or the target itself in place
    bool m_inPlace = false;
    bool m_unnamed = false;   // the temporary file was opened with O_TMPFILE
    bool m_replacing = false; // a file of that name is to be replaced
    bool m_regular = true;
    qint64 m_written = 0;
    qint64 m_oldSize = 0;       // in place: the size to restore when nothing was written
    bool m_sizeChanged = false; // in place: reserve() grew the file
};
