#include "IniDocument.h"

#include "Cp932Codec.h"
#include "IniValueQuoting.h"
#include "TextFileEncoding.h"

namespace {

// The Windows service folds ASCII letters only; QString's case-insensitive compare folds more.
bool SameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i].unicode()) != lower(b[i].unicode()))
            return false;
    }
    return true;
}

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && IsIniBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsIniBlank(text.back()))
        text.chop(1);
    return text;
}

bool HoldsLineBreakOrNul(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

bool IsUsableName(const QString& name, QChar forbidden) {
    const QStringView trimmed = TrimBlanks(name);
    return !trimmed.isEmpty() && trimmed.size() == name.size() && !HoldsLineBreakOrNul(name) &&
           !name.contains(forbidden) && !name.startsWith(u'[');
}
} // namespace

IniDocument IniDocument::fromBytes(QByteArray bytes) {
    IniDocument doc;
    const TextFileEncoding detected = DetectTextFileEncoding(bytes);
    switch (detected) {
    case TextFileEncoding::Unmarked:
        // Lines are found in the text as UTF-8 holds it; the file itself is never written.
        doc = fromBytes(ByteOrderMarkOf(TextFileEncoding::Utf8WithBom) +
                        EncodeUtf8Lossless(DecodeUnmarkedText(bytes)));
        doc.encoding_ = IniEncoding::ReadOnly;
        return doc;
    case TextFileEncoding::Utf16LE:
        doc.encoding_ = IniEncoding::Utf16LE;
        break;
    case TextFileEncoding::Utf16BE:
        doc.encoding_ = IniEncoding::Utf16BE;
        break;
    case TextFileEncoding::Utf8WithBom:
        doc.encoding_ = IniEncoding::Utf8WithBom;
        break;
    case TextFileEncoding::Utf8:
        doc.encoding_ = IniEncoding::Utf8;
        break;
    case TextFileEncoding::Cp932:
        break;
    }
    doc.bom_ = ByteOrderMarkOf(detected);
    const bool wide = doc.wide();
    // NUL padding after text in code page 932 or UTF-8 is left out of the document, so the file
    // is written again without it: it holds no setting (a value ends at its first NUL), and
    // kept, it would stand between the text and a section added after it. NULs within the
    // text stay where they are.
    if (!wide)
        bytes.truncate(WithoutNulPadding(bytes).size());
    bytes.remove(0, doc.bom_.size());
    if (wide && bytes.size() % 2 != 0) {
        doc.oddTail_ = bytes.right(1);
        bytes.chop(1);
    }
    doc.text_ = std::move(bytes);

    // Lines end at CR LF, LF or CR; the bytes 0x0D and 0x0A never occur inside a character of
    // code page 932 or UTF-8, and in UTF-16 they are compared as whole units.
    const int unit = wide ? 2 : 1;
    const qsizetype n = doc.text_.size();
    const auto at = [&](qsizetype i) { return doc.unitAt(doc.text_, i); };
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; i += unit) {
        const char16_t u = at(i);
        if (u != u'\r' && u != u'\n')
            continue;
        Line line;
        line.start = start;
        line.size = i - start;
        line.end = u == u'\n' ? LineEnd::Lf : LineEnd::Cr;
        if (u == u'\r' && i + unit < n && at(i + unit) == u'\n') {
            line.end = LineEnd::CrLf;
            i += unit;
        }
        start = i + unit;
        doc.classify(line);
        doc.lines_.append(std::move(line));
    }
    if (start < n) {
        Line line;
        line.start = start;
        line.size = n - start;
        doc.classify(line);
        doc.lines_.append(std::move(line));
    }
    return doc;
}

QByteArray IniDocument::toBytes() const {
    QByteArray out = bom_;
    out.reserve(text_.size() + bom_.size() + 64);
    for (const Line& line : lines_) {
        out += lineView(line);
        out += encodedLineEnd(line.end);
    }
    return out + oddTail_;
}

// The code unit at byte `i`: a byte, or two in UTF-16.
char16_t IniDocument::unitAt(QByteArrayView bytes, qsizetype i) const {
    const auto byte = [&](qsizetype k) { return char16_t(uchar(bytes[k])); };
    switch (encoding_) {
    case IniEncoding::Utf16LE:
        return char16_t(byte(i) | byte(i + 1) << 8);
    case IniEncoding::Utf16BE:
        return char16_t(byte(i) << 8 | byte(i + 1));
    default:
        return byte(i);
    }
}

QByteArrayView IniDocument::lineView(const Line& line) const {
    return line.owned ? QByteArrayView(line.own)
                      : QByteArrayView(text_.constData() + line.start, line.size);
}

QString IniDocument::decode(const QByteArray& bytes) const {
    switch (encoding_) {
    case IniEncoding::Utf16LE:
    case IniEncoding::Utf16BE: {
        // Unit by unit, so that a lone surrogate comes back as it was.
        QString text(bytes.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(unitAt(bytes, 2 * i));
        return text;
    }
    case IniEncoding::Utf8WithBom:
    case IniEncoding::Utf8:
    case IniEncoding::ReadOnly:
        return DecodeUtf8Lossless(bytes);
    case IniEncoding::Cp932:
        break;
    }
    return DecodeCp932Lossless(bytes);
}

std::optional<QByteArray> IniDocument::encode(const QString& text) const {
    switch (encoding_) {
    case IniEncoding::Utf16LE:
    case IniEncoding::Utf16BE: {
        const bool little = encoding_ == IniEncoding::Utf16LE;
        QByteArray bytes;
        bytes.reserve(text.size() * 2);
        for (const QChar c : text) {
            const char low = char(c.unicode() & 0xFF);
            const char high = char(c.unicode() >> 8);
            bytes += little ? low : high;
            bytes += little ? high : low;
        }
        return bytes;
    }
    case IniEncoding::Utf8WithBom:
    case IniEncoding::Utf8:
    case IniEncoding::ReadOnly:
        return EncodeUtf8Lossless(text);
    case IniEncoding::Cp932:
        break;
    }
    return EncodeCp932Lossless(text);
}

QByteArray IniDocument::encodedLineEnd(LineEnd end) const {
    static const char* const ascii[] = {"", "\r\n", "\n", "\r"};
    const auto index = size_t(end);
    return wide() ? *encode(QString::fromLatin1(ascii[index])) : QByteArray(ascii[index]);
}

// Where the first "=" of a line is, in bytes; -1 when it has none. In code page 932 and UTF-8
// the byte 0x3D is always the character "=", never part of another.
qsizetype IniDocument::equalsAt(QByteArrayView bytes) const {
    if (!wide())
        return bytes.indexOf('=');
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        if (unitAt(bytes, i) == u'=')
            return i;
    }
    return -1;
}

void IniDocument::classify(Line& line) const {
    const QByteArrayView bytes = lineView(line);
    const int unit = wide() ? 2 : 1;
    qsizetype i = 0;
    while (i + unit <= bytes.size() && IsIniBlank(QChar(unitAt(bytes, i))))
        i += unit;
    line.kind = Kind::Other;
    line.headerName.clear();
    if (i + unit <= bytes.size() && unitAt(bytes, i) == u'[') {
        // "]" may be the second byte of a code page 932 character: look in the decoded text.
        const QString text = decode(bytes.sliced(i + unit).toByteArray());
        const qsizetype close = text.indexOf(u']');
        if (close >= 0) {
            line.kind = Kind::Header;
            line.headerName = TrimBlanks(QStringView(text).left(close)).toString();
            return;
        }
    }
    if (equalsAt(bytes) >= 0)
        line.kind = Kind::Key;
}

qsizetype IniDocument::findHeader(const QString& section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Header && SameName(lines_[i].headerName, section))
            return i;
    }
    return -1;
}

// The first key named `key` after the header at `header`, up to the next header; -1 when
// there is none. `lastKey` receives the last key line of the section (or the header).
qsizetype IniDocument::findKey(qsizetype header, const QString& key, qsizetype* lastKey) const {
    *lastKey = header;
    for (qsizetype i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Header; ++i) {
        if (lines_[i].kind != Kind::Key)
            continue;
        *lastKey = i;
        const QByteArray bytes = lineBytes(lines_[i]);
        if (SameName(TrimBlanks(decode(bytes.left(equalsAt(bytes)))), key))
            return i;
    }
    return -1;
}

QString IniDocument::readValue(const Line& line) const {
    const QByteArray bytes = lineBytes(line);
    const int unit = wide() ? 2 : 1;
    QString value =
        UnquoteIniValue(TrimBlanks(decode(bytes.mid(equalsAt(bytes) + unit))).toString());
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    if (nul >= 0)
        value.truncate(nul);
    return value;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const qsizetype header = findHeader(section);
    if (header < 0)
        return std::nullopt;
    qsizetype lastKey = -1;
    const qsizetype at = findKey(header, key, &lastKey);
    if (at < 0)
        return std::nullopt;
    return readValue(lines_[at]);
}

void IniDocument::setLine(Line& line, const QByteArray& bytes) {
    line.own = bytes;
    line.owned = true;
    classify(line);
    modified_ = true;
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    if (!IsUsableName(section, u']') || !IsUsableName(key, u'=') || HoldsLineBreakOrNul(value))
        return false;
    qsizetype header = -1;
    qsizetype lastKey = -1;
    qsizetype at = -1;
    // Line numbers are looked up afresh after a conversion, which gives the mark a line of its
    // own above every other.
    const auto locate = [&] {
        header = findHeader(section);
        at = header < 0 ? -1 : findKey(header, key, &lastKey);
    };
    locate();
    if (at >= 0 && readValue(lines_[at]) == value)
        return true;

    const QString stored = QuoteIniValue(value);
    const QString keyLine = key + u'=' + stored;
    const QString headerLine = u'[' + section + u']';
    const auto encodable = [&] {
        return encode(stored) && (at >= 0 || (encode(keyLine) && encode(headerLine)));
    };
    if (!encodable()) {
        if (!convertToUtf8())
            return false;
        locate();
        if (!encodable())
            return false;
    }
    const QByteArray encoded = *encode(stored);

    if (at >= 0) {
        // The name and the "=" keep their bytes; only what follows is replaced.
        const QByteArray old = lineBytes(lines_[at]);
        const int unit = wide() ? 2 : 1;
        setLine(lines_[at], old.left(equalsAt(old) + unit) + encoded);
        return true;
    }

    const auto newLine = [this](const QString& text) {
        Line line;
        line.end = LineEnd::CrLf;
        setLine(line, *encode(text));
        return line;
    };
    // The line before a new one needs a line end of its own.
    const auto endBefore = [this](qsizetype index) {
        if (index >= 0 && lines_[index].end == LineEnd::None)
            lines_[index].end = LineEnd::CrLf;
    };
    if (header >= 0) {
        endBefore(lastKey);
        lines_.insert(lastKey + 1, newLine(keyLine));
    } else {
        endBefore(lines_.size() - 1);
        lines_.append(newLine(headerLine));
        lines_.append(newLine(keyLine));
    }
    modified_ = true;
    return true;
}

// Every line keeps its text; bytes that did not decode stay the same bytes. The mark gets a
// line of its own: a reader that does not know it sees a broken first line, and that line
// must not be a section header.
bool IniDocument::convertToUtf8() {
    if (encoding_ != IniEncoding::Cp932)
        return false;
    QList<QByteArray> converted;
    converted.reserve(lines_.size());
    for (const Line& line : lines_) {
        const QString text = DecodeCp932Lossless(lineBytes(line));
        QByteArray utf8 = EncodeUtf8Lossless(text);
        if (DecodeUtf8Lossless(utf8) != text)
            return false; // carried bytes that would read as UTF-8 characters
        converted.append(std::move(utf8));
    }
    encoding_ = IniEncoding::Utf8WithBom;
    bom_ = ByteOrderMarkOf(TextFileEncoding::Utf8WithBom);
    for (qsizetype i = 0; i < lines_.size(); ++i)
        setLine(lines_[i], converted[i]);
    if (converted.isEmpty() || !converted.front().isEmpty()) {
        Line blank;
        blank.end = LineEnd::CrLf;
        setLine(blank, QByteArray());
        lines_.prepend(blank);
    }
    modified_ = true;
    return true;
}
