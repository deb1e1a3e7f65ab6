#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Text on disk is in code page 932, the Japanese code page of the user interface.
// Characters it cannot hold (the euro sign, emoji, ...) are reported, never replaced by "?".

struct Cp932EncodeResult {
    std::optional<QByteArray> bytes; // empty when some character cannot be encoded
    qsizetype badIndex = -1;         // UTF-16 index of the first such character
    QString badCharacter;            // that character (a surrogate pair stays whole)
};

Cp932EncodeResult EncodeCp932(const QString& text);

// Decoding never fails: a byte that is not code page 932 yields a substitute character.
QString DecodeCp932(const QByteArray& bytes);
