#include "Cp932Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

    // Rare path: find the first character the code page lacks, for the message.
    Cp932EncodeResult result;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!Encodable(QStringView(text).mid(i, len))) {
            result.badIndex = i;
            result.badCharacter = text.mid(i, len);
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
