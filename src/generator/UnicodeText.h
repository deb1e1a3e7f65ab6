#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Unicode's own rules, by ICU, for the free texts a password is drawn from: where one character
// as a reader sees it ends (a grapheme cluster), and the one form of a character that has several.

// The end of each grapheme cluster of text, in UTF-16 units, in order; the last is text.size().
// Empty for an empty text.
QList<qsizetype> GraphemeEnds(QStringView text);

// Canonical composition (NFC): é typed as e and U+0301 becomes the one precomposed é.
QString ComposedText(const QString& text);

// Compatibility composition (NFKC): 𝟎, ① and the full-width Ｏ become 0, 1 and O.
QString CompatibilityComposedText(const QString& text);
