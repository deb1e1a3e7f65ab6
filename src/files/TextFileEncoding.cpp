#include "TextFileEncoding.h"

#include "Cp932Codec.h"

#include <QStringDecoder>

#include <algorithm>

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom("\xFF\xFE");
const QByteArray kUtf16BeBom("\xFE\xFF");
const QByteArray kUtf32LeBom("\xFF\xFE\0\0", 4);
const QByteArray kUtf32BeBom("\0\0\xFE\xFF", 4);

// Valid UTF-8 holding at least one character beyond ASCII.
bool IsMultiByteUtf8(const QByteArray& bytes) {
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; }))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes); // decoding happens here, and sets the error
    return !text.isEmpty() && !utf8.hasError();
}

// Text in a two-byte encoding without a mark: NUL in at least half of the bytes at even or at
// odd places (ASCII text in UTF-16 has one in every other byte), NUL padding at the end not
// counted. Returns the place of the NULs: 1 for little-endian, 0 for big-endian, -1 for neither.
int NulPatternOf(QByteArrayView padded) {
    const QByteArrayView bytes = WithoutNulPadding(padded);
    if (bytes.size() < 4)
        return -1;
    qsizetype nuls[2] = {0, 0};
    for (qsizetype i = 0; i < bytes.size(); ++i)
        nuls[i % 2] += bytes[i] == '\0';
    const qsizetype half = bytes.size() / 2;
    if (nuls[1] * 2 >= half && nuls[1] >= nuls[0])
        return 1;
    return nuls[0] * 2 >= half ? 0 : -1;
}

QString Decoded(QStringDecoder::Encoding encoding, QByteArrayView bytes, bool* valid) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}
} // namespace

QByteArrayView WithoutNulPadding(QByteArrayView bytes) {
    qsizetype size = bytes.size();
    while (size > 0 && bytes[size - 1] == '\0')
        --size;
    return bytes.first(size);
}

TextFileEncoding DetectTextFileEncoding(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf32LeBom) || bytes.startsWith(kUtf32BeBom))
        return TextFileEncoding::Unmarked;
    if (bytes.startsWith(kUtf16LeBom))
        return TextFileEncoding::Utf16LE;
    if (bytes.startsWith(kUtf16BeBom))
        return TextFileEncoding::Utf16BE;
    if (NulPatternOf(bytes) >= 0)
        return TextFileEncoding::Unmarked;
    if (bytes.startsWith(kUtf8Bom))
        return TextFileEncoding::Utf8WithBom;
    return IsMultiByteUtf8(bytes) ? TextFileEncoding::Utf8 : TextFileEncoding::Cp932;
}

QByteArray ByteOrderMarkOf(TextFileEncoding encoding) {
    switch (encoding) {
    case TextFileEncoding::Utf8WithBom:
        return kUtf8Bom;
    case TextFileEncoding::Utf16LE:
        return kUtf16LeBom;
    case TextFileEncoding::Utf16BE:
        return kUtf16BeBom;
    case TextFileEncoding::Cp932:
    case TextFileEncoding::Utf8:
    case TextFileEncoding::Unmarked:
        break;
    }
    return QByteArray();
}

QString DecodeUnmarkedText(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf32LeBom))
        return QStringDecoder(QStringDecoder::Utf32LE).decode(bytes.mid(4));
    if (bytes.startsWith(kUtf32BeBom))
        return QStringDecoder(QStringDecoder::Utf32BE).decode(bytes.mid(4));
    return QStringDecoder(NulPatternOf(bytes) == 1 ? QStringDecoder::Utf16LE
                                                   : QStringDecoder::Utf16BE)
        .decode(bytes);
}

QString DecodeTextFile(const QByteArray& bytes, bool* valid) {
    if (valid)
        *valid = true;
    const TextFileEncoding encoding = DetectTextFileEncoding(bytes);
    const QByteArrayView body = QByteArrayView(bytes).sliced(ByteOrderMarkOf(encoding).size());
    switch (encoding) {
    case TextFileEncoding::Utf16LE:
        return Decoded(QStringDecoder::Utf16LE, body, valid);
    case TextFileEncoding::Utf16BE:
        return Decoded(QStringDecoder::Utf16BE, body, valid);
    case TextFileEncoding::Utf8WithBom:
    case TextFileEncoding::Utf8:
        return Decoded(QStringDecoder::Utf8, body, valid);
    case TextFileEncoding::Unmarked:
        return DecodeUnmarkedText(bytes);
    case TextFileEncoding::Cp932:
        break;
    }
    // Code page 932 holds no U+FFFD of its own: every one is a byte that did not decode.
    QString text = DecodeCp932(bytes);
    if (valid)
        *valid = !text.contains(QChar::ReplacementCharacter);
    return text;
}
