#include "SystemErrorText.h"

#include "CliText.h"

#include <cerrno>
#include <cstring>

namespace {

struct ErrnoWording {
    int number;
    const char* text;
};

// The wording glibc gives these numbers, marked for translation.
constexpr ErrnoWording kWordings[] = {
    {ENOENT, QT_TRANSLATE_NOOP("Cli", "No such file or directory")},
    {ENOTDIR, QT_TRANSLATE_NOOP("Cli", "Not a directory")},
    {EISDIR, QT_TRANSLATE_NOOP("Cli", "Is a directory")},
    {EACCES, QT_TRANSLATE_NOOP("Cli", "Permission denied")},
    {EPERM, QT_TRANSLATE_NOOP("Cli", "Operation not permitted")},
    {EROFS, QT_TRANSLATE_NOOP("Cli", "Read-only file system")},
    {ENOSPC, QT_TRANSLATE_NOOP("Cli", "No space left on device")},
    {EDQUOT, QT_TRANSLATE_NOOP("Cli", "Disk quota exceeded")},
    {EFBIG, QT_TRANSLATE_NOOP("Cli", "File too large")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("Cli", "File name too long")},
    {EIO, QT_TRANSLATE_NOOP("Cli", "Input/output error")},
    {ETXTBSY, QT_TRANSLATE_NOOP("Cli", "Text file busy")},
    {EBUSY, QT_TRANSLATE_NOOP("Cli", "Device or resource busy")},
    {ENXIO, QT_TRANSLATE_NOOP("Cli", "No such device or address")},
    {ELOOP, QT_TRANSLATE_NOOP("Cli", "Too many levels of symbolic links")},
    {EMFILE, QT_TRANSLATE_NOOP("Cli", "Too many open files")},
    {ENOMEM, QT_TRANSLATE_NOOP("Cli", "Cannot allocate memory")},
};

} // namespace

QString SystemErrorText(int number) {
    for (const ErrnoWording& wording : kWordings) {
        if (wording.number == number)
            return Cli::tr(wording.text);
    }
    return QString::fromLocal8Bit(std::strerror(number));
}
