#pragma once

#include <QString>
#include <QStringView>

// "U+1F600": the character at the start of `text`, a surrogate pair as one code point and a lone
// surrogate as itself. Sets `units` (when given) to the UTF-16 units it takes.
QString CodePointName(QStringView text, qsizetype* units = nullptr);
