#include "IniFile.h"

#include "FileTarget.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

std::optional<IniDocument> ReadIniDocument(const QString& file) {
    // Devices, pipes and directories are never read (nothing is read from them, so nothing is
    // then written over them either): /dev/zero would never end, and renaming a file over
    // /dev/full would destroy the device node.
    const QFileInfo info(file);
    if (!info.exists())
        return IniDocument();
    if (!info.isFile())
        return std::nullopt;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return std::nullopt;
    return IniDocument::fromBytes(std::move(bytes));
}

bool WriteIniDocument(const IniDocument& document, const QString& file) {
    if (!document.canWriteBack())
        return false;
    const QFileInfo info(file);
    if (info.exists()) {
        struct stat old {};
        if (!info.isFile() || ::stat(QFile::encodeName(file).constData(), &old) != 0)
            return false;
        if ((old.st_mode & 0222) == 0)
            return false;
    }
    // The same replacement as a saved list: a temporary file that takes the old one's mode and
    // owner and is renamed over it, or the file itself where that would part it from its other
    // names or where the directory takes no new file. A new file follows the umask.
    const QByteArray bytes = document.toBytes();
    FileTarget target;
    return target.open(file, 0666).ok() && target.reserve(bytes.size()).ok() &&
           target.write(bytes).ok() && target.commit().ok();
}
