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
