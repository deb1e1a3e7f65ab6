#pragma once

#include <QString>

// Sets one key in the text of an INI file the way the Windows INI service does: every other
// line stays as it is, an existing key keeps its place (every line of it in every section of
// that name is replaced, so readers that take the first and readers that take the last
// occurrence agree), a new key follows the last key of the section's first occurrence, and a
// new section is appended at the end. Names compare without regard to ASCII case. The result
// has CRLF line ends. `storedValue` is written as given (quote it first if it needs it).
QString SetIniValueInText(const QString& text, const QString& section, const QString& key,
                          const QString& storedValue);
