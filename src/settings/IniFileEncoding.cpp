#include "IniFileEncoding.h"

#include "Cp932Codec.h"

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");
} // namespace

QString DecodeIniFile(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    return DecodeCp932(bytes);
}

QByteArray EncodeIniFile(const QString& text) {
    Cp932EncodeResult cp932 = EncodeCp932(text);
    if (cp932.bytes)
        return *cp932.bytes;

    // The mark gets a line of its own: a reader that does not know it sees a broken first
    // line, and that line must not be a section header.
    QByteArray bytes = kUtf8Bom;
    if (!text.startsWith(u'\r') && !text.startsWith(u'\n'))
        bytes += "\r\n";
    return bytes + text.toUtf8();
}
