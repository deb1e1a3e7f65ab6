#include "Cp932Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace {
constexpr const char* kCodecName = "CP932";

bool Encodable(QStringView piece) {
    QStringEncoder encoder(kCodecName);
    // encode() is lazy: nothing is converted, and no error seen, until the result becomes bytes.
    [[maybe_unused]] const QByteArray bytes = encoder.encode(piece);
    return !encoder.hasError();
}
} // namespace

Cp932EncodeResult EncodeCp932(const QString& text) {
    QStringEncoder encoder(kCodecName);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return {std::move(bytes), -1, {}};

    // Rare path: find the first character the code page lacks, for the message. Whole chunks are
    // tried first, so a list of millions of characters is not encoded one character at a time.
    constexpr qsizetype kChunk = 4096;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = std::min(all.size(), start + kChunk);
        if (end < all.size() && all.at(end - 1).isHighSurrogate())
            ++end; // keep a surrogate pair in one piece
        if (!Encodable(all.mid(start, end - start)))
            break;
        start = end;
    }
    Cp932EncodeResult result;
    for (qsizetype i = start; i < all.size();) {
        const qsizetype len = (all.at(i).isHighSurrogate() && i + 1 < all.size()) ? 2 : 1;
        if (!Encodable(all.mid(i, len))) {
            result.badIndex = i;
            result.badCharacter = all.mid(i, len).toString();
            return result;
        }
        i += len;
    }
    return result;
}

QString DecodeCp932(const QByteArray& bytes) {
    QStringDecoder decoder(kCodecName);
    return decoder.decode(bytes);
}
