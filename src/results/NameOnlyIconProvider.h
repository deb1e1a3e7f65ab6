#pragma once

#include <QAbstractFileIconProvider>

// Icons and type names for the save dialog, chosen by a file's name and kind only. Qt's own
// provider asks the MIME database, which reads a file's first bytes: in /proc that read blocks
// for good (/proc/kmsg) and the dialog with it. Nothing here opens a file.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    using QAbstractFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
