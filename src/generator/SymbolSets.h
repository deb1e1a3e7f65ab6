#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The symbols class: a fourth class beside digits and letters, with a preset set of ASCII
// symbols. The presets answer where a password must be typed:
//   jis-us  the 12 symbols that sit on the same key and shift level of a Japanese (JIS, jp106)
//           and a US keyboard, so a password typed on either reads the same: ! # $ % , - . / ; < >
//           ?
//   ascii   all 32 printable ASCII symbols
//   url     - . _ ~ (never escaped in a URL)
//   shell   % + , - . / : = @ _ (safe unquoted in a POSIX shell)
enum class SymbolSet { None, JisUs, Ascii, Url, Shell };

// The symbols of a set in code point order; empty for None.
QString SymbolCharacters(SymbolSet set);

// The name keymill-cli -s and keymill.ini use: "jis-us", "ascii", "url", "shell" (None: empty).
QString SymbolSetName(SymbolSet set);

// The set of a name as above (the empty name is None); nothing for any other text.
std::optional<SymbolSet> SymbolSetNamed(const QString& name);

// Every name but None's, in the order above.
QStringList SymbolSetNames();

// The keys of the jis-us symbols, one row per group of keys, named by their caps (the same on
// both keyboards): the symbols typed without and with Shift that are the same on JIS and US.
// An empty side types a different character on each (Shift+- is = on JIS, _ on US).
struct SharedSymbolKeys {
    QString caps;    // "1 3 4 5", "-", ";", ", . /"
    QString plain;   // "", "-", ";", ",./"
    QString shifted; // "!#$%", "", "", "<>?"
};
QList<SharedSymbolKeys> JisUsSymbolKeys();
