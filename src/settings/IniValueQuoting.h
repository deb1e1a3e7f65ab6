#pragma once

#include <QString>

// Readers of INI files drop blanks around a value and one pair of matching quotation marks
// (" or ') around it. A value that would lose something that way is stored inside a pair of
// double quotes, so that it reads back unchanged here and on the original platform alike.

// A blank around a name or value: space or tab.
bool IsIniBlank(QChar c);

QString QuoteIniValue(const QString& value);
QString UnquoteIniValue(const QString& stored);
