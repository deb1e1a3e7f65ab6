#pragma once

#include <QString>

// One key of an INI file at a time, in the layout the Windows INI service writes:
// "[Section]" lines, "Key=Value" lines, CRLF line ends, code page 932 (see IniFileEncoding.h).

// The value of `key` in `section` of `file`, read whole; an absent file, section or key gives
// the empty text. Blanks around the stored value and one pair of matching quotation marks
// around it are removed, as the Windows service does.
QString ReadIniValue(const QString& section, const QString& key, const QString& file);

// Stores `value` under `key` in `section` of `file`, creating the file and the section when
// absent; other sections, keys and comments stay as they are. The file is replaced in one
// step (a temporary file beside it, renamed over it), so a failed write leaves it as it was.
// Returns false, having written nothing, when the file cannot be read or written, is not a
// regular file, or when a name or the value holds a line break (which would break the file).
bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file);
