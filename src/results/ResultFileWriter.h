#pragma once

#include "WriteOutcome.h"

#include <QString>
#include <QStringList>

// Writes every password followed by CR LF, in code page 932 without byte-order mark. A password
// the code page cannot hold is refused before the file is touched. The file is replaced whole or
// not at all, except where it must be written in place (see ResultFileTarget); new files are
// private (mode 0600).
WriteOutcome WriteResultFile(const QString& path, const QStringList& passwords);
