// Generated settings files, malformed on purpose, each put through a random sequence of uses of
// the program: load, one change or none, close, exactly as the window loads and saves (the file
// read from disk, the eleven keys stored, the file written when something changed). A plain
// model follows along: the text each key must read back, the encoding the file must be in, and
// the bytes of every line the program does not own. Seeded, so a failure repeats.
#include "Cp932Codec.h"
#include "IniFile.h"
#include "SettingsRules.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {
constexpr int kFiles = 200;
constexpr int kSessions = 6;
constexpr qint32 kLargeScreen = 1'000'000;

enum class Encoding { Cp932, Utf8WithBom, Utf8, Utf16LE, Utf16BE };

struct KeyName {
    const char* section;
    const char* key;
};
const KeyName kKeys[] = {{"Position", "Left"},    {"Position", "Top"},      {"Position", "Width"},
                         {"Position", "Height"},  {"Add", "Suji"},          {"Add", "AlhabetBig"},
                         {"Add", "AlphabetMini"}, {"Add", "AddChr"},        {"Add", "AddChrList"},
                         {"Add", "DeleteChr"},    {"Add", "DeleteChrList"}, {"Add", "NoSimilar"},
                         {"Add", "EachClass"}};
constexpr int kKeyCount = 13;

QByteArray Bom(Encoding e) {
    switch (e) {
    case Encoding::Utf8WithBom:
        return "\xEF\xBB\xBF";
    case Encoding::Utf16LE:
        return "\xFF\xFE";
    case Encoding::Utf16BE:
        return "\xFE\xFF";
    default:
        return {};
    }
}

bool Wide(Encoding e) {
    return e == Encoding::Utf16LE || e == Encoding::Utf16BE;
}

QByteArray Encode(const QString& text, Encoding e) {
    switch (e) {
    case Encoding::Cp932:
        return EncodeCp932Lossless(text).value();
    case Encoding::Utf8WithBom:
    case Encoding::Utf8:
        return EncodeUtf8Lossless(text);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    QByteArray out;
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        out.append(e == Encoding::Utf16LE ? lo : hi).append(e == Encoding::Utf16LE ? hi : lo);
    }
    return out;
}

QString Decode(const QByteArray& bytes, Encoding e) {
    switch (e) {
    case Encoding::Cp932:
        return DecodeCp932Lossless(bytes);
    case Encoding::Utf8WithBom:
    case Encoding::Utf8:
        return DecodeUtf8Lossless(bytes);
    default:
        return Wide(e) ? QStringDecoder(e == Encoding::Utf16LE ? QStringDecoder::Utf16LE
                                                               : QStringDecoder::Utf16BE)
                             .decode(bytes)
                       : QString();
    }
}

// The file as lines after the mark; line ends are kept with their line.
struct Line {
    QByteArray bytes;
    QByteArray end;
};

QList<Line> SplitLines(const QByteArray& body, Encoding e) {
    const int unit = Wide(e) ? 2 : 1;
    const auto is = [&](qsizetype i, char c) {
        if (i + unit > body.size())
            return false;
        if (!Wide(e))
            return body[i] == c;
        return e == Encoding::Utf16LE ? body[i] == c && body[i + 1] == 0
                                      : body[i] == 0 && body[i + 1] == c;
    };
    QList<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i + unit <= body.size(); i += unit) {
        if (!is(i, '\r') && !is(i, '\n'))
            continue;
        const qsizetype endSize = (is(i, '\r') && is(i + unit, '\n')) ? 2 * unit : unit;
        lines.append({body.mid(start, i - start), body.mid(i, endSize)});
        i += endSize - unit;
        start = i + unit;
    }
    if (start < body.size())
        lines.append({body.mid(start), QByteArray()});
    return lines;
}

// What the test knows of a file: the lines the program must keep as they are, and the value each
// of the eleven keys must read as. An own key line is one that the program reads and sets.
struct Model {
    Encoding encoding = Encoding::Cp932;
    QList<Line> foreign;               // in file order
    std::map<int, QString> values;     // key index -> the text it reads as
    std::map<int, bool> shadowed;      // a foreign line with the same key follows it
    bool sections[2] = {false, false}; // "Position", "Add" present
};

bool IsMultiByteUtf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return !utf8.hasError() && text.size() < bytes.size();
}

class Generator {
public:
    explicit Generator(quint32 seed) : random_(seed) {}

    int below(int n) { return int(random_.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, size_t N> const T& pick(const T (&items)[N]) { return items[below(N)]; }

    // Text that code page 932 holds, with the characters INI files care about, that reads back
    // as itself (no blanks or quotes at its ends) and never holds the word "Dup".
    QString text(int maxLength) {
        static const QString alphabet = u"aZ09=[];#\\ソ表あｱ～￢Ⅰ"_qs;
        QString t;
        for (int n = below(maxLength + 1); n > 0; --n)
            t += alphabet[below(int(alphabet.size()))];
        return t;
    }

    // Text only UTF-8 can hold.
    QString wideText() {
        static const QString extras[] = {u"😀"_qs, u"€"_qs, u"👍🏽"_qs, u"한"_qs, u"💻"_qs};
        return text(4) + pick(extras) + text(4);
    }

    // Bytes of a line that is no header and no line break, kept whatever they are.
    QByteArray garbage() {
        QByteArray b;
        for (int n = below(12) + 1; n > 0; --n) {
            char c = char(below(256));
            if (c == '\r' || c == '\n' || c == '[')
                c = '#';
            b += c;
        }
        return b;
    }

    // A file in a random encoding, with some of the program's keys (spelled in various ways),
    // with sections and lines of others, and duplicates the program must not touch.
    std::pair<QByteArray, Model> file() {
        Model m;
        const Encoding encodings[] = {Encoding::Cp932,       Encoding::Cp932,   Encoding::Cp932,
                                      Encoding::Cp932,       Encoding::Cp932,   Encoding::Utf8,
                                      Encoding::Utf8WithBom, Encoding::Utf16LE, Encoding::Utf16BE};
        m.encoding = pick(encodings);
        const bool bytesOk = m.encoding == Encoding::Cp932 || m.encoding == Encoding::Utf8WithBom;
        static const char* const ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
        QList<std::pair<Line, int>> lines; // line and its own key (or -1)
        const auto add = [&](const QString& text, int own = -1) {
            lines.append({{Encode(text, m.encoding), Encode(pick(ends), m.encoding)}, own});
        };
        const auto foreignLines = [&] {
            for (int n = below(3); n > 0; --n) {
                switch (below(6)) {
                case 0:
                    add(u"; comment ソ"_qs);
                    break;
                case 1:
                    add(QString());
                    break;
                case 2:
                    add("Other" + QString::number(below(3)) + "=" + text(6));
                    break;
                case 3:
                    if (bytesOk) {
                        lines.append({{garbage(), Encode(pick(ends), m.encoding)}, -1});
                        break;
                    }
                    [[fallthrough]];
                default:
                    add(text(10).remove(u'=').remove(u'[')); // no key, no header
                    break;
                }
            }
        };
        static const char* const headerForms[][2] = {
            {"[Position]", "[Add]"}, {"[position]", "[ADD]"}, {" [ Position ] x", " [ Add ]y"}};
        static const char* const stored[][2] = {{"0", "0"},     {"1", "1"},     {"", ""},
                                                {" 1 ", "1"},   {"\"0\"", "0"}, {"15", "15"},
                                                {"-60", "-60"}, {"12a", "12a"}, {"2000", "2000"}};
        if (m.encoding == Encoding::Utf8)
            add(u"; ソ"_qs); // UTF-8 without a mark is told by a character beyond ASCII
        foreignLines();
        int sectionOrder[2] = {0, 1};
        if (chance(30))
            std::swap(sectionOrder[0], sectionOrder[1]);
        for (int s : sectionOrder) {
            if (chance(15)) {
                foreignLines();
                continue; // the section is missing
            }
            m.sections[s] = true;
            add(headerForms[below(3)][s]);
            for (int k = 0; k < kKeyCount; ++k) {
                if ((k < 4) != (s == 0))
                    continue;
                foreignLines();
                if (chance(20))
                    continue; // the key is missing
                QString name = kKeys[k].key;
                if (chance(20))
                    name = name.toUpper();
                const bool asText = chance(40);
                const auto& value = pick(stored);
                const QString written = asText ? text(8) : QString(value[0]);
                m.values[k] = asText ? written : QString(value[1]);
                add(name + (chance(20) ? " = " : "=") + written, k);
                if (chance(10)) {
                    add(name + "=Dup" + text(3)); // the first of two is the one read
                    m.shadowed[k] = true;
                }
            }
            foreignLines();
        }
        if (const int s = below(2); m.sections[s] && chance(30)) {
            add(QString(headerForms[0][s])); // a second section of a name is never read
            add(QString(kKeys[s == 0 ? below(4) : 4 + below(7)].key) + "=Dup");
        }
        foreignLines();
        if (!lines.isEmpty() && !lines.back().first.bytes.isEmpty() && chance(20))
            lines.back().first.end.clear(); // no line end at the end

        // A bare CR before a blank line that ends in LF would make one CR LF of them.
        for (qsizetype i = 1; i < lines.size(); ++i) {
            Line& previous = lines[i - 1].first;
            if (previous.end == Encode("\r", m.encoding) && lines[i].first.bytes.isEmpty())
                previous.end = Encode("\r\n", m.encoding);
        }
        QByteArray bytes = Bom(m.encoding);
        for (const auto& [line, own] : lines) {
            bytes += line.bytes + line.end;
            if (own < 0)
                m.foreign.append(line);
        }
        if (m.encoding == Encoding::Cp932 && IsMultiByteUtf8(bytes))
            return file(); // text that would read as UTF-8: rare, and not what this file is for
        return {bytes, m};
    }

    // One use of the program before a close.
    enum class Use { NoChange, Toggle, ForceUtf8, Text, Move, DeleteKey };
    Use use() {
        static const Use uses[] = {Use::NoChange, Use::NoChange,  Use::Toggle,
                                   Use::Toggle,   Use::ForceUtf8, Use::ForceUtf8,
                                   Use::Text,     Use::Move,      Use::DeleteKey};
        return pick(uses);
    }

    StoredSettings change(StoredSettings s, Use use) {
        switch (use) {
        case Use::Toggle: {
            bool* boxes[] = {&s.digits,  &s.upper,     &s.lower,    &s.extra,
                             &s.exclude, &s.noSimilar, &s.eachClass};
            bool* box = boxes[below(7)];
            *box = !*box;
            break;
        }
        case Use::ForceUtf8:
            (chance(50) ? s.extraText : s.excludeText) = wideText();
            break;
        case Use::Text:
            (chance(50) ? s.extraText : s.excludeText) = text(10);
            break;
        case Use::Move:
            s.window = {below(30000), below(30000), 3000 + below(20000), 1500 + below(20000)};
            break;
        default:
            break;
        }
        return s;
    }

private:
    QRandomGenerator random_;
};

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The text each key is stored as, as the window stores it.
std::map<int, QString> StoredTexts(const StoredSettings& s) {
    const WindowTwips& w = s.window;
    const QString texts[kKeyCount] = {QString::number(w.left),
                                      QString::number(w.top),
                                      QString::number(w.width),
                                      QString::number(w.height),
                                      CheckStateText(s.digits),
                                      CheckStateText(s.upper),
                                      CheckStateText(s.lower),
                                      CheckStateText(s.extra),
                                      s.extraText,
                                      CheckStateText(s.exclude),
                                      s.excludeText,
                                      CheckStateText(s.noSimilar),
                                      CheckStateText(s.eachClass)};
    std::map<int, QString> out;
    for (int k = 0; k < kKeyCount; ++k)
        out[k] = texts[k];
    return out;
}

// The name of an own key line, or -1 when the line is not one of the eleven.
int OwnKeyOf(const Line& line, Encoding e) {
    const QString text = Decode(line.bytes, e);
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return -1;
    const QString name = text.left(eq).trimmed();
    for (int k = 0; k < kKeyCount; ++k) {
        if (name.compare(QLatin1StringView(kKeys[k].key), Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}
} // namespace

class TestSettingsFuzz : public QObject {
    Q_OBJECT
private slots:
    void closesFollowTheModel();
};

void TestSettingsFuzz::closesFollowTheModel() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("keymill.ini");
    Generator gen(20261207);
    std::map<Generator::Use, int> uses;
    int conversions = 0;
    int untouched = 0;
    for (int n = 0; n < kFiles; ++n) {
        auto [file, model] = gen.file();
        QVERIFY(WriteBytes(path, file));
        QByteArray history = "file " + QByteArray::number(n) + ": " + file.toHex();
        for (int session = 0; session < kSessions; ++session) {
            const Generator::Use use = gen.use();
            ++uses[use];
            history += " | use " + QByteArray::number(int(use));
            const char* what = history.constData();

            // A hand edit: one of the program's key lines is deleted; the close must add it again.
            if (use == Generator::Use::DeleteKey) {
                const QByteArray before = ReadBytes(path);
                const QByteArray bom = Bom(model.encoding);
                QList<Line> lines = SplitLines(before.mid(bom.size()), model.encoding);
                qsizetype foreignAt = 0;
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    if (foreignAt < model.foreign.size() &&
                        lines[i].bytes == model.foreign[foreignAt].bytes) {
                        ++foreignAt;
                        continue;
                    }
                    const int k = OwnKeyOf(lines[i], model.encoding);
                    // (A line that ends in a bare CR before a blank LF line would merge.)
                    const bool bareCrBefore =
                        i > 0 && lines[i - 1].end == Encode("\r", model.encoding);
                    if (k >= 0 && !model.shadowed[k] && model.values.count(k) && !bareCrBefore) {
                        lines.removeAt(i);
                        model.values.erase(k);
                        break;
                    }
                }
                QByteArray edited = bom;
                for (const Line& line : lines)
                    edited += line.bytes + line.end;
                QVERIFY(WriteBytes(path, edited));
            }

            const QByteArray before = ReadBytes(path);
            const QDateTime stampBefore = QFileInfo(path).lastModified();
            std::optional<IniDocument> ini = ReadIniDocument(path);
            QVERIFY2(ini, what);
            for (int k = 0; k < kKeyCount; ++k) {
                const std::optional<QString> read = ini->value(kKeys[k].section, kKeys[k].key);
                const auto expected = model.values.find(k);
                QVERIFY2(read.has_value() == (expected != model.values.end()), what);
                if (read)
                    QVERIFY2(*read == expected->second, what);
            }

            // The close, as the window does it.
            const StoredSettings loaded = LoadStoredSettings(*ini, kLargeScreen, kLargeScreen);
            const StoredSettings window = gen.change(loaded, use);
            const bool allStored = StoreSettings(*ini, window);
            if (ini->isModified())
                QVERIFY2(WriteIniDocument(*ini, path), what);
            const QByteArray after = ReadBytes(path);

            // The model: every key reads as stored; a code page 932 file that must hold a
            // character it lacks becomes UTF-8 with a mark, unless it carries bytes that would
            // then read as other characters, when that one value is refused.
            std::map<int, QString> wanted = StoredTexts(window);
            if (!allStored) {
                const bool carried =
                    model.encoding == Encoding::Cp932 &&
                    std::any_of(model.foreign.cbegin(), model.foreign.cend(), [](const Line& l) {
                        return !EncodeCp932(DecodeCp932Lossless(l.bytes)).bytes;
                    });
                QVERIFY2(use == Generator::Use::ForceUtf8 && carried, what);
                for (int k : {8, 10}) {
                    if (EncodeCp932Lossless(wanted[k]))
                        continue;
                    if (model.values.count(k))
                        wanted[k] = model.values[k];
                    else
                        wanted.erase(k); // a new key that cannot be stored is not added
                }
            }
            const bool needsUtf8 = std::any_of(wanted.cbegin(), wanted.cend(), [](const auto& kv) {
                return !EncodeCp932Lossless(kv.second);
            });
            const Encoding was = model.encoding;
            if (was == Encoding::Cp932 && needsUtf8) {
                model.encoding = Encoding::Utf8WithBom;
                ++conversions;
                for (Line& line : model.foreign) {
                    line.bytes = Encode(DecodeCp932Lossless(line.bytes), model.encoding);
                    line.end = Encode(Decode(line.end, was), model.encoding);
                }
            }
            const bool unchanged = wanted == model.values;
            model.values = wanted;
            model.sections[0] = model.sections[1] = true;

            if (unchanged) {
                // Nothing to store: the file keeps its bytes and its time stamp.
                QVERIFY2(after == before, what);
                QVERIFY2(QFileInfo(path).lastModified() == stampBefore, what);
                ++untouched;
            }
            const QByteArray bom = Bom(model.encoding);
            QVERIFY2(after.startsWith(bom), what);
            if (model.encoding == Encoding::Cp932)
                QVERIFY2(!after.startsWith("\xEF\xBB\xBF"), what);

            // Every foreign line in its place and order, with its bytes; every other line is one
            // of the eleven keys (each once), a header the program added, or the mark's line.
            const QList<Line> lines = SplitLines(after.mid(bom.size()), model.encoding);
            const QByteArray crlf = Encode("\r\n", model.encoding);
            qsizetype f = 0;
            int ownSeen[kKeyCount] = {};
            bool marked = false;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (f < model.foreign.size() && lines[i].bytes == model.foreign[f].bytes &&
                    (lines[i].end == model.foreign[f].end ||
                     (model.foreign[f].end.isEmpty() && lines[i].end == crlf))) {
                    model.foreign[f++].end = lines[i].end;
                    continue;
                }
                const int k = OwnKeyOf(lines[i], model.encoding);
                const bool header = lines[i].bytes == Encode("[Position]", model.encoding) ||
                                    lines[i].bytes == Encode("[Add]", model.encoding);
                const bool markLine = i == 0 && lines[i].bytes.isEmpty() && was != model.encoding;
                QVERIFY2(k >= 0 || header || markLine, what);
                if (k >= 0)
                    ++ownSeen[k];
                if (markLine)
                    marked = true;
            }
            if (marked) // from now on a line like any other
                model.foreign.prepend({QByteArray(), crlf}), ++f;
            QVERIFY2(f == model.foreign.size(), what);
            for (int k = 0; k < kKeyCount; ++k)
                QVERIFY2(ownSeen[k] == int(model.values.count(k)), what);
        }
    }
    qInfo("%d files, %d closes: %d without a change, %d toggles, %d texts only UTF-8 holds "
          "(%d files converted), %d keys deleted by hand; %d closes left the file untouched",
          kFiles, kFiles * kSessions, uses[Generator::Use::NoChange], uses[Generator::Use::Toggle],
          uses[Generator::Use::ForceUtf8], conversions, uses[Generator::Use::DeleteKey], untouched);
}

QTEST_APPLESS_MAIN(TestSettingsFuzz)
#include "tst_SettingsFuzz.moc"
