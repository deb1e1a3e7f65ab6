// Generated settings files, malformed on purpose, checked for two promises of a close: the next
// start loads exactly what the window had, and every line the program does not own keeps its
// bytes. Seeded, so a failure repeats; bounded to a few hundred small files.
#include "Cp932Codec.h"
#include "SettingsRules.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
constexpr int kFiles = 600;
constexpr qint32 kLargeScreen = 1'000'000;
const QByteArray kMarker("Zq9Mark");

const char* const kKeys[] = {"Left",          "Top",          "Width",    "Height",     "Suji",
                             "AlhabetBig",    "AlphabetMini", "AddChr",   "AddChrList", "DeleteChr",
                             "DeleteChrList", "NoSimilar",    "EachClass"};

class Generator {
public:
    explicit Generator(quint32 seed) : random_(seed) {}

    int below(int n) { return int(random_.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }

    template <typename T, size_t N> const T& pick(const T (&items)[N]) { return items[below(N)]; }

    // Text that code page 932 holds, with the characters INI files care about.
    QString text(int maxLength) {
        static const QString alphabet = u"aZ09 \t=[];#\"'\\ソ表あｱ～￢Ⅰ"_qs;
        QString t;
        for (int n = below(maxLength + 1); n > 0; --n)
            t += alphabet[below(int(alphabet.size()))];
        return t;
    }

    QByteArray bytes(int maxLength) {
        QByteArray b;
        for (int n = below(maxLength + 1); n > 0; --n)
            b += char(below(256));
        return b;
    }

    QByteArray line() {
        static const char* const headers[] = {"[Position]", "[Add]", "[add]", " [ ADD ] x",
                                              "[Other]",    "[x",    "[",     "[Add"};
        static const char* const values[] = {"0", "1", "", "15", "-60", "12a", " 1 ", "\"0\""};
        switch (below(9)) {
        case 0:
            return pick(headers);
        case 1:
        case 2:
        case 3:
            return QByteArray(pick(kKeys)) + (chance(20) ? " = " : "=") +
                   (chance(60) ? QByteArray(pick(values))
                               : EncodeCp932Lossless(text(12)).value_or("x"));
        case 4:
            return "Other" + QByteArray::number(below(3)) + "=" + bytes(8);
        case 5:
            return chance(50) ? QByteArray("; comment \x83\x5C") : QByteArray();
        case 6:
            return bytes(16); // NUL, lone lead bytes, 0x80-0xFF, stray CR and LF
        case 7:
            return chance(10) ? QByteArray(below(20000), 'L') : text(30).toUtf8();
        default:
            return QByteArray(pick(kKeys)) + QByteArray(1, '\0') + "=1";
        }
    }

    QByteArray file() {
        if (chance(5))
            return bytes(200);
        static const char* const ends[] = {"\r\n", "\r\n", "\n", "\r"};
        QByteArray body;
        for (int n = below(25); n > 0; --n)
            body += line() + pick(ends);
        if (chance(20))
            body += line(); // no line end at the end
        switch (below(10)) {
        case 0:
            return "\xEF\xBB\xBF" + body;
        case 1: {
            QByteArray wide("\xFF\xFE");
            for (char c : body)
                wide += QByteArray(1, c) + '\0';
            return wide;
        }
        default:
            return body;
        }
    }

    // What a user might do before closing: nothing, or one change.
    StoredSettings change(StoredSettings s) {
        switch (below(10)) {
        case 0:
            s.suji = !s.suji;
            break;
        case 5:
            s.noSimilar = !s.noSimilar;
            break;
        case 6:
            s.eachClass = !s.eachClass;
            break;
        case 1:
            s.addChr = !s.addChr;
            break;
        case 2:
            s.addChrList = text(10);
            break;
        case 3:
            s.deleteChrList = text(10);
            break;
        case 4:
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

struct Line {
    QByteArray bytes; // without the line end
    QByteArray end;
};

QByteArray Bom(const QByteArray& file) {
    if (file.startsWith("\xFF\xFE"))
        return file.left(2);
    return file.startsWith("\xEF\xBB\xBF") ? file.left(3) : QByteArray();
}

// The lines after the byte-order mark.
QList<Line> SplitLines(QByteArray file) {
    const bool wide = file.startsWith("\xFF\xFE");
    file.remove(0, Bom(file).size());
    const int unit = wide ? 2 : 1;
    const auto is = [&](qsizetype i, char c) {
        return i + unit <= file.size() && file[i] == c && (!wide || file[i + 1] == '\0');
    };
    QList<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i + unit <= file.size(); i += unit) {
        if (!is(i, '\r') && !is(i, '\n'))
            continue;
        const qsizetype endSize = (is(i, '\r') && is(i + unit, '\n')) ? 2 * unit : unit;
        lines.append({file.mid(start, i - start), file.mid(i, endSize)});
        i += endSize - unit;
        start = i + unit;
    }
    if (start < file.size())
        lines.append({file.mid(start), QByteArray()});
    return lines;
}

QByteArray Encoded(const QByteArray& ascii, bool wide) {
    if (!wide)
        return ascii;
    QByteArray out;
    for (char c : ascii)
        out += QByteArray(1, c) + '\0';
    return out;
}

QByteArray BeforeEquals(const QByteArray& line, bool wide) {
    const qsizetype at = line.indexOf(Encoded("=", wide));
    return at < 0 ? QByteArray() : line.left(at);
}
} // namespace

class TestSettingsFuzz : public QObject {
    Q_OBJECT
private slots:
    void closeKeepsWhatItDoesNotOwn();
};

void TestSettingsFuzz::closeKeepsWhatItDoesNotOwn() {
    Generator gen(20261207);
    int changed = 0;
    int linesKept = 0;
    for (int n = 0; n < kFiles; ++n) {
        const QByteArray file = gen.file();
        const QByteArray name = "file " + QByteArray::number(n) + ": " + file.left(80).toHex();
        const bool wide = file.startsWith("\xFF\xFE");

        const StoredSettings loaded =
            LoadStoredSettings(IniDocument::fromBytes(file), kLargeScreen, kLargeScreen);
        const StoredSettings window = gen.change(loaded);
        changed += window != loaded;

        IniDocument closed = IniDocument::fromBytes(file);
        QVERIFY2(StoreSettings(closed, window), name.constData());
        const QByteArray written = closed.toBytes();
        QVERIFY2(LoadStoredSettings(IniDocument::fromBytes(written), kLargeScreen, kLargeScreen) ==
                     window,
                 name.constData());

        // The same close with a marker as every value shows which lines the program owns.
        IniDocument marked = IniDocument::fromBytes(file);
        for (int k = 0; k < int(std::size(kKeys)); ++k)
            QVERIFY(marked.setValue(k < 4 ? "Position" : "Add", kKeys[k], kMarker + char('a' + k)));
        const QList<Line> in = SplitLines(file);
        const QList<Line> out = SplitLines(marked.toBytes());
        const QList<Line> real = SplitLines(written);
        QVERIFY2(real.size() == out.size(), name.constData());
        QVERIFY2(Bom(written) == Bom(file), name.constData());
        const QByteArray marker = Encoded(kMarker, wide);
        qsizetype i = 0;
        for (qsizetype j = 0; j < out.size(); ++j) {
            const bool owned = out[j].bytes.contains(marker);
            if (!owned)
                QVERIFY2(real[j].bytes == out[j].bytes && real[j].end == out[j].end,
                         name.constData());
            if (i < in.size() && out[j].bytes == in[i].bytes &&
                (out[j].end == in[i].end || in[i].end.isEmpty())) {
                ++i; // a line kept (the last one may have gained a line end)
                ++linesKept;
            } else if (owned && i < in.size() &&
                       BeforeEquals(out[j].bytes, wide) == BeforeEquals(in[i].bytes, wide)) {
                ++i; // the program's own key, name and "=" kept
            } else {
                // Anything else must be a line the program added: one of its keys or headers.
                const bool header = out[j].bytes == Encoded("[Position]", wide) ||
                                    out[j].bytes == Encoded("[Add]", wide);
                QVERIFY2(owned || header, name.constData());
            }
        }
        QVERIFY2(i == in.size(), name.constData());
    }
    qInfo("%d files, %d closed with a change, %d lines not owned kept byte for byte", kFiles,
          changed, linesKept);
}

QTEST_APPLESS_MAIN(TestSettingsFuzz)
#include "tst_SettingsFuzz.moc"
