#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// The text of keymill.ini, read once and written once, in one model of its lines that reading
// and writing share. Lines are read as the Windows INI service reads them:
//  - after leading blanks, "[" up to the first "]" is a section header; the name between them
//    loses its blanks, and anything after the "]" is ignored;
//  - any other line holding "=" is a key of the section above it: the name is what comes before
//    the first "=", the value what follows; keys above the first header belong to no section;
//  - every other line (blank, a comment, a "[" without "]", text without "=") means nothing;
//  - names compare without regard to ASCII case, and of duplicate sections and of duplicate
//    keys within the first of them, the first is the one read and written.
// A line the program does not set keeps its bytes and its line end, whatever they are.
//
// Encodings, told by the byte-order mark or, without one, by the bytes:
//  - FF FE is UTF-16 little-endian and FE FF UTF-16 big-endian, EF BB BF UTF-8; each stays so;
//  - a file without a mark that is valid UTF-8 and holds at least one multi-byte sequence is
//    UTF-8 and stays so, still without a mark (text in code page 932 is practically never
//    valid UTF-8: its lead bytes 0x81-0x9F and 0xE0-0xFC are rarely followed by the
//    continuation bytes UTF-8 asks for);
//  - any other file is code page 932, as the original platform reads it, with bytes that do
//    not decode carried along unchanged. Such a file becomes UTF-8 with the mark only when a
//    value to be stored holds a character that code page lacks (an emoji): its lines then keep
//    their text, re-encoded.
// A file the program could not write back consistently (a UTF-32 mark, or NULs in every other
// byte of its text without a mark, as UTF-16 without a mark has) is read for what can be read
// and never written, as a read-only file is.
// A run of NULs at the end (what a crash can leave) decides nothing: the text before it is
// told as above, and a file in code page 932 or UTF-8 is written again without the run.
enum class IniEncoding { Cp932, Utf8WithBom, Utf8, Utf16LE, Utf16BE, ReadOnly };

class IniDocument {
public:
    IniDocument() = default; // an empty, new file in code page 932
    static IniDocument fromBytes(QByteArray bytes);
    QByteArray toBytes() const;

    IniEncoding encoding() const { return encoding_; }
    // True once a call of setValue changed a line.
    bool isModified() const { return modified_; }
    // False for a file in an encoding the program reads but does not write (see above).
    bool canWriteBack() const { return encoding_ != IniEncoding::ReadOnly; }

    // The value of `key` in `section`, or nothing when the section or the key is absent.
    // Blanks around the value and one pair of matching quotes around it are removed, and it
    // ends at its first NUL, as the Windows service's caller sees it.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Stores `value` so that value() gives it back. A key whose value already reads as `value`
    // keeps its bytes; an existing key keeps its place and the spelling of its name; a new key
    // follows the last key of its section; a new section is added at the end, with CRLF line
    // ends. False, changing nothing, for a name that no line could hold (empty, a line break,
    // "]" in a section, "=" in a key) or a value with a line break or NUL.
    bool setValue(const QString& section, const QString& key, const QString& value);

private:
    enum class Kind : quint8 { Other, Header, Key };
    enum class LineEnd : quint8 { None, CrLf, Lf, Cr };
    struct Line {
        qsizetype start = 0; // in text_ (in code units for UTF-16), unless `own` is set
        qsizetype size = 0;  // without the line end
        QByteArray own;      // the line's bytes once the program has set it
        bool owned = false;
        LineEnd end = LineEnd::None; // the line end as it was
        Kind kind = Kind::Other;
        QString headerName;
    };

    bool wide() const {
        return encoding_ == IniEncoding::Utf16LE || encoding_ == IniEncoding::Utf16BE;
    }
    char16_t unitAt(QByteArrayView bytes, qsizetype i) const;
    QByteArrayView lineView(const Line& line) const;
    QByteArray lineBytes(const Line& line) const { return lineView(line).toByteArray(); }
    QString decode(const QByteArray& bytes) const;
    std::optional<QByteArray> encode(const QString& text) const;
    QByteArray encodedLineEnd(LineEnd end) const;
    void classify(Line& line) const;
    qsizetype equalsAt(QByteArrayView bytes) const;
    qsizetype findHeader(const QString& section) const;
    qsizetype findKey(qsizetype header, const QString& key, qsizetype* lastKey) const;
    QString readValue(const Line& line) const;
    void setLine(Line& line, const QByteArray& bytes);
    bool convertToUtf8();

    IniEncoding encoding_ = IniEncoding::Cp932;
    QByteArray bom_;
    QByteArray text_;    // the file after its byte-order mark
    QByteArray oddTail_; // a last byte that does not fill a UTF-16 unit
    QList<Line> lines_;
    bool modified_ = false;
};
