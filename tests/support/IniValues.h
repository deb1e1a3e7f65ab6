#pragma once

#include "IniFile.h"

#include <QString>

// One key of a settings file on disk, read or written whole, as a person editing the file would:
// an absent file, section or key reads as the empty text; a write goes through the program's own
// document and writer, and leaves an unchanged file untouched.
inline QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
    const std::optional<IniDocument> document = ReadIniDocument(file);
    return document ? document->value(section, key).value_or(QString()) : QString();
}

inline bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                          const QString& file) {
    std::optional<IniDocument> document = ReadIniDocument(file);
    if (!document || !document->setValue(section, key, value))
        return false;
    return !document->isModified() || WriteIniDocument(*document, file);
}
