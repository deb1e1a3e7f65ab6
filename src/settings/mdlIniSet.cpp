#include "mdlIniSet.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Qt may report a short write (file too large, disk full) as complete; the size on disk tells
// the truth.
bool WriteAll(QFileDevice& out, const QByteArray& bytes) {
    return out.write(bytes) == bytes.size() && out.flush() && out.size() == bytes.size();
}

bool WriteInPlace(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    if (!out.open(QIODevice::ReadWrite))
        return false;
    return WriteAll(out, bytes) && out.resize(bytes.size()) && out.flush();
}
} // namespace

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
    const QFileInfo info(file);
    // A link is followed, so the file it names is written and the link stays a link.
    const QString target = info.exists() ? info.canonicalFilePath() : file;
    struct stat old {};
    const bool exists = info.exists();
    if (exists) {
        if (!info.isFile() || ::stat(QFile::encodeName(target).constData(), &old) != 0)
            return false;
        if ((old.st_mode & 0222) == 0)
            return false;
    }
    const QByteArray bytes = document.toBytes();
    if (exists && old.st_nlink > 1)
        return WriteInPlace(target, bytes);

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (exists) {
        // The new file takes the old one's place, so it takes its mode and owner too. Only
        // root may give a file away; for anyone else the owner is theirs already.
        const int fd = out.handle();
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            out.cancelWriting();
            return false;
        }
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (!WriteAll(out, bytes)) {
        out.cancelWriting(); // a short file must never be renamed over the old one
        return false;
    }
    return out.commit();
}

QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
    const std::optional<IniDocument> document = ReadIniDocument(file);
    if (!document)
        return QString();
    return document->value(section, key).value_or(QString());
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file) {
    std::optional<IniDocument> document = ReadIniDocument(file);
    if (!document || !document->setValue(section, key, value))
        return false; // never replace a file whose content could not be read
    if (!document->isModified())
        return true;
    return WriteIniDocument(*document, file);
}
