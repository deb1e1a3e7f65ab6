#include "NameOnlyIconProvider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

namespace {
// MatchExtension looks at the name alone.
QMimeType MimeTypeByName(const QFileInfo& info) {
    return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}
} // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isDir())
        return icon(Folder);
    const QIcon file = icon(File);
    if (!info.isFile())
        return file; // devices, pipes, sockets: no name tells what they hold
    const QMimeType mime = MimeTypeByName(info);
    return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), file));
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (!info.isFile())
        return QAbstractFileIconProvider::type(info); // reads no content for anything but files
    const QMimeType mime = MimeTypeByName(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}
