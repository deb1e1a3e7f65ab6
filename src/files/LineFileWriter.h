#pragma once

#include "FileEncoding.h"
#include "WriteOutcome.h"

#include <QString>
#include <QStringList>

// Writes every line followed by CR LF, without byte-order mark (a saved list: code page 932). A
// line the encoding cannot hold is refused before the file is touched. The file is replaced whole
// or not at all, except where it must be written in place (see FileTarget); new files are private
// (mode 0600).
WriteOutcome WriteLineFile(const QString& path, const QStringList& lines,
                           FileEncoding encoding = FileEncoding::Cp932);
