#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Text on disk is in code page 932, the Japanese code page of the user interface, as the
// original platform defines it: 0x00-0x7F are ASCII (0x1A, 0x1C and 0x7F included), 0xA1-0xDF
// are half-width katakana, a lead byte and a trail byte make one character, and 0x80, 0xA0 and
// 0xFD-0xFF stand for U+0080 and U+F8F0-U+F8F3. Characters the code page cannot hold (the euro
// sign, emoji, ...) are reported, never replaced by "?".

struct Cp932EncodeResult {
    std::optional<QByteArray> bytes; // empty when some character cannot be encoded
    qsizetype badIndex = -1;         // UTF-16 index of the first such character
    QString badCharacter;            // that character (a surrogate pair stays whole)
};

Cp932EncodeResult EncodeCp932(const QString& text);

// For files that must come back byte for byte: a byte that does not decode (a lead byte
// without a valid trail byte) becomes U+DC00 + byte, a lone low surrogate that no real text
// holds, and the encoder turns it back into that byte. So DecodeCp932Lossless never fails and
// EncodeCp932Lossless(DecodeCp932Lossless(b)) gives a text that decodes the same again.
QString DecodeCp932Lossless(const QByteArray& bytes);
// Empty when some character (an emoji, the euro sign) cannot be held by the code page.
std::optional<QByteArray> EncodeCp932Lossless(const QString& text);

// The same carrying of undecodable bytes for UTF-8.
QString DecodeUtf8Lossless(const QByteArray& bytes);
QByteArray EncodeUtf8Lossless(const QString& text);
