#pragma once

#include <QString>

// The key filter of the length and count boxes: control codes (below 32, negative included)
// and the digits pass; 32 to 47 and 58 upwards are refused with a beep.
bool NumericKeyAllowed(int keyCode);

// The index of the first character that the text filter removes, or -1 when the text is clean.
// Allowed are codes below 32, the digits, "." anywhere, and "-" at the first position only.
qsizetype FirstDisallowedNumericIndex(const QString& text);

// One pass of the text filter: the text without its first disallowed character.
QString FilterNumericTextOnce(const QString& text);
