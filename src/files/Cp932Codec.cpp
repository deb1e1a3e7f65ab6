#include "Cp932Codec.h"

#include <QStringDecoder>
#include <array>
#include <vector>

namespace {
constexpr int kFirstLead = 0x81;
constexpr int kFirstTrail = 0x40;
constexpr int kLastTrail = 0xFC;
constexpr int kTrails = kLastTrail - kFirstTrail + 1;

bool IsLeadByte(uchar b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(uchar b) {
    return b >= kFirstTrail && b <= kLastTrail && b != 0x7F;
}

// The single bytes above ASCII that are neither lead bytes nor half-width katakana; the
// original platform maps them to these characters and back.
char16_t SpecialByteChar(uchar b) {
    switch (b) {
    case 0x80:
        return u'\u0080';
    case 0xA0:
        return u'\uF8F0';
    case 0xFD:
        return u'\uF8F1';
    case 0xFE:
        return u'\uF8F2';
    case 0xFF:
        return u'\uF8F3';
    default:
        return 0;
    }
}

// Both directions as tables, built once from ICU's table of the double bytes. ICU's single
// bytes are not used: its table swaps 0x1A, 0x1C and 0x7F, and lacks 0x80, 0xA0, 0xFD-0xFF.
struct Tables {
    std::vector<char16_t> pairToChar; // index (lead - 0x81) * kTrails + (trail - 0x40); 0 none
    std::array<quint16, 0x10000> charToBytes{}; // one or two bytes, 0 = none (U+0000 is 0x00)

    Tables() : pairToChar(size_t(0xFC - kFirstLead + 1) * kTrails, 0) {
        // One converter for all pairs: opening one costs far more than a decode (8 ms for all
        // pairs against under 2 ms).
        QStringDecoder decoder("CP932", QStringDecoder::Flag::Stateless);
        for (int lead = kFirstLead; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(uchar(lead)))
                continue;
            for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                if (!IsTrailByte(uchar(trail)))
                    continue;
                const char pair[2] = {char(lead), char(trail)};
                // A pair that is no character comes back as a substitute. (hasError() would
                // stay set after the first such pair, even across resetState().)
                decoder.resetState();
                const QString text = decoder.decode(QByteArrayView(pair, 2));
                if (text.size() != 1 || text[0] == u'\uFFFD' || text[0] == u'\x1A' ||
                    text[0].isSurrogate())
                    continue;
                pairToChar[size_t(lead - kFirstLead) * kTrails + size_t(trail - kFirstTrail)] =
                    text[0].unicode();
            }
        }
        // Where one character has several double bytes, the encoder picks as the original
        // platform does: the JIS rows first, then the NEC row 13 (0x87), then the IBM
        // extensions (0xFA-0xFC), then their NEC-selected copies (0xED, 0xEE).
        const auto addRows = [this](int first, int last) {
            for (int lead = first; lead <= last; ++lead) {
                for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                    const char16_t c = pairToChar[size_t(lead - kFirstLead) * kTrails +
                                                  size_t(trail - kFirstTrail)];
                    if (c != 0 && charToBytes[c] == 0)
                        charToBytes[c] = quint16(lead << 8 | trail);
                }
            }
        };
        addRows(0x81, 0x86);
        addRows(0x88, 0x9F);
        addRows(0xE0, 0xEC);
        addRows(0x87, 0x87);
        addRows(0xFA, 0xFC);
        addRows(0xED, 0xEE);
        addRows(0xEF, 0xF9);
        for (int b = 0xA1; b <= 0xDF; ++b)
            charToBytes[0xFF61 + b - 0xA1] = quint16(b);
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (const char16_t c = SpecialByteChar(uchar(b)))
                charToBytes[c] = quint16(b);
        }
    }

    char16_t pair(uchar lead, uchar trail) const {
        if (!IsTrailByte(trail))
            return 0;
        return pairToChar[size_t(lead - kFirstLead) * kTrails + size_t(trail - kFirstTrail)];
    }
};

const Tables& Cp932() {
    static const Tables tables;
    return tables;
}

constexpr char16_t kEscapeBase = 0xDC00;

bool IsByteEscape(QChar c) {
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

QString Decode(const QByteArray& bytes, bool lossless) {
    const Tables& t = Cp932();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype length = 0;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar b = p[i];
        char16_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if (b >= 0xA1 && b <= 0xDF) {
            c = char16_t(0xFF61 + b - 0xA1);
        } else if (const char16_t special = SpecialByteChar(b)) {
            c = special;
        } else if (const char16_t pair = i + 1 < n ? t.pair(b, p[i + 1]) : 0) {
            c = pair;
            ++i;
        } else {
            // A lead byte without a trail byte that makes a character: the next byte is read
            // on its own.
            c = lossless ? char16_t(kEscapeBase + b) : u'\uFFFD';
        }
        out[length++] = c;
    }
    text.truncate(length);
    return text;
}

// Writes the code page 932 bytes of `c` at `out` and returns how many (1 or 2); 0 when the
// code page has none.
int PutCp932(char* out, char16_t c, bool lossless) {
    if (c < 0x80) {
        out[0] = char(c);
        return 1;
    }
    if (lossless && IsByteEscape(QChar(c))) {
        out[0] = char(c - kEscapeBase);
        return 1;
    }
    const quint16 bytes = Cp932().charToBytes[c];
    if (bytes == 0)
        return 0;
    if (bytes <= 0xFF) {
        out[0] = char(bytes);
        return 1;
    }
    out[0] = char(bytes >> 8);
    out[1] = char(bytes & 0xFF);
    return 2;
}

// The bytes of `text`, or the index of the first character the code page lacks.
std::pair<QByteArray, qsizetype> Encode(const QString& text, bool lossless) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char* out = bytes.data();
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int n = PutCp932(out + length, text[i].unicode(), lossless);
        if (n == 0)
            return {QByteArray(), i};
        length += n;
    }
    bytes.truncate(length);
    return {bytes, -1};
}

// The length of the well-formed UTF-8 sequence at `p` (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0.
int Utf8SequenceLength(const uchar* p, qsizetype available) {
    const uchar b = p[0];
    if (b < 0x80)
        return 1;
    int len = 0;
    uchar low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0)
            low = 0xA0;
        if (b == 0xED)
            high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0)
            low = 0x90;
        if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (available < len || p[1] < low || p[1] > high)
        return 0;
    for (int k = 2; k < len; ++k) {
        if (p[k] < 0x80 || p[k] > 0xBF)
            return 0;
    }
    return len;
}
} // namespace

Cp932EncodeResult EncodeCp932(const QString& text) {
    auto [bytes, bad] = Encode(text, false);
    if (bad < 0)
        return {std::move(bytes), -1, {}};
    const qsizetype len =
        (text[bad].isHighSurrogate() && bad + 1 < text.size() && text[bad + 1].isLowSurrogate())
            ? 2
            : 1;
    return {std::nullopt, bad, text.mid(bad, len)};
}

QString DecodeCp932Lossless(const QByteArray& bytes) {
    return Decode(bytes, true);
}

std::optional<QByteArray> EncodeCp932Lossless(const QString& text) {
    auto [bytes, bad] = Encode(text, true);
    if (bad >= 0)
        return std::nullopt;
    return std::move(bytes);
}

QString DecodeUtf8Lossless(const QByteArray& bytes) {
    QString text;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // The longest valid run is decoded in one go; the byte that breaks it is carried.
        qsizetype end = i;
        while (end < n) {
            const int len = Utf8SequenceLength(p + end, n - end);
            if (len == 0)
                break;
            end += len;
        }
        text += QString::fromUtf8(QByteArrayView(p + i, end - i));
        if (end < n)
            text += QChar(char16_t(kEscapeBase + p[end++]));
        i = end;
    }
    return text;
}

QByteArray EncodeUtf8Lossless(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        // The low half of a surrogate pair (💻 is D83D DCBB) is part of a character, not a byte.
        if (i < text.size() && (!IsByteEscape(text[i]) || (i > 0 && text[i - 1].isHighSurrogate())))
            continue;
        bytes += QStringView(text).mid(runStart, i - runStart).toUtf8();
        if (i < text.size())
            bytes += char(text[i].unicode() - kEscapeBase);
        runStart = i + 1;
    }
    return bytes;
}
