#pragma once

#include "IniDocument.h"

#include <QString>
#include <optional>

// keymill.ini on disk, in the layout the Windows INI service writes: "[Section]" lines,
// "Key=Value" lines, CRLF line ends, code page 932 (see IniDocument.h for how lines are read).

// The whole file, read once. An absent file gives an empty document; nothing comes back when
// the file cannot be read or is not a regular file (a device, a pipe, a directory).
std::optional<IniDocument> ReadIniDocument(const QString& file);

// Writes `document` over `file` in one step (a temporary file beside it, renamed over it), so a
// failed write leaves the old file as it was; the file keeps its mode and owner. A file linked
// under several names, one whose owner cannot be given back, or one in a directory that takes no
// new file is written in place (see FileTarget). Returns false, having written nothing,
// when the file is not a regular file, when it has no write permission bit at all (the user's
// way to lock it, honoured even for root), or when the write fails.
bool WriteIniDocument(const IniDocument& document, const QString& file);

// The value of `key` in `section` of `file`, read whole; an absent file, section or key gives
// the empty text. Blanks around the stored value and one pair of matching quotation marks
// around it are removed, as the Windows service does.
QString ReadIniValue(const QString& section, const QString& key, const QString& file);

// Stores `value` under `key` in `section` of `file` (see IniDocument::setValue) and writes the
// file as WriteIniDocument does; a value already stored leaves the file untouched. Returns
// false, having written nothing, when the file cannot be read or written or when a name or the
// value cannot be stored.
bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file);
