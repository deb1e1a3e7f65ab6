// One table of keymill.ini files drives both directions: what the window loads from each, and
// the exact bytes after a close with nothing changed and after a close with "Suji" toggled.
#include "SettingsRules.h"
#include "StoredRunRules.h"

#include <QTest>

namespace {
constexpr qint32 kLargeScreen = 1'000'000; // twips; no stored size is cut down

const QByteArray kPosition("[Position]\r\nLeft=15\r\nTop=30\r\nWidth=9000\r\nHeight=6000\r\n");
const QByteArray kDefaultPosition("[Position]\r\nLeft=0\r\nTop=0\r\nWidth=8895\r\nHeight=5580\r\n");
// The window's two policies, as a close adds them after the other keys of "Add".
const QByteArray kPolicies("NoSimilar=0\r\nEachClass=0\r\n");
// The keys of "Add" after "Suji", as a close adds them to a section that lacks them.
const QByteArray kClassKeysAfterDigits("AlhabetBig=1\r\nAlphabetMini=1\r\nAddChr=0\r\n"
                                       "AddChrList=\r\nDeleteChr=0\r\nDeleteChrList=\r\n");
const QByteArray kAddAfterDigits(kClassKeysAfterDigits + kPolicies);
const QByteArray kFullAdd("[Add]\r\nSuji=1\r\n" + kAddAfterDigits);
// The same section as written before the policies existed.
const QByteArray kFullAddWithoutPolicies("[Add]\r\nSuji=1\r\n" + kClassKeysAfterDigits);

// A text given as UTF-16 code units, so that the carried bytes U+DCxx can be written down.
QString Units(std::initializer_list<char16_t> units) {
    return QString::fromUtf16(std::data(units), qsizetype(units.size()));
}

// A literal that holds NUL bytes.
template <size_t N> QByteArray Raw(const char (&literal)[N]) {
    return QByteArray(literal, qsizetype(N - 1));
}

QByteArray Utf16(const QString& text, bool bigEndian = false) {
    QByteArray bytes(bigEndian ? "\xFE\xFF" : "\xFF\xFE");
    for (QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

// "left,top,width,height boxes [add text] [delete text]"; boxes are Suji, AlhabetBig,
// AlphabetMini, AddChr, DeleteChr as 1 or 0.
QString Describe(const StoredSettings& s) {
    const auto bit = [](bool b) { return b ? QChar(u'1') : QChar(u'0'); };
    const WindowTwips& w = s.window;
    QString text = u"%1,%2,%3,%4 "_qs.arg(w.left).arg(w.top).arg(w.width).arg(w.height);
    text += bit(s.digits);
    text += bit(s.upper);
    text += bit(s.lower);
    text += bit(s.extra);
    text += bit(s.exclude);
    return text + u" ["_qs + s.extraText + u"] ["_qs + s.excludeText + u']';
}
} // namespace

class TestSettingsFileTable : public QObject {
    Q_OBJECT
private slots:
    void loadAndClose_data();
    void loadAndClose();
    void policies_data();
    void policies();
    void negativePlaceStoredAsZero();
    void ruleChoicesChangeOnlyWhatChanged();
};

void TestSettingsFileTable::loadAndClose_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QByteArray>("afterNone");   // the file after a close with no change
    QTest::addColumn<QByteArray>("afterToggle"); // the file after "Suji" was toggled

    const QString pos = u"15,30,9000,6000 "_qs;

    QTest::newRow("header without ]")
        << kPosition + "[Add]\r\n[x\r\nSuji=0\r\n"
        << pos + "01100 [] []" << kPosition + "[Add]\r\n[x\r\nSuji=0\r\n" + kAddAfterDigits
        << kPosition + "[Add]\r\n[x\r\nSuji=1\r\n" + kAddAfterDigits;
    QTest::newRow("lone [") << kPosition + "[Add]\r\n[\r\nSuji=0\r\n"
                            << pos + "01100 [] []"
                            << kPosition + "[Add]\r\n[\r\nSuji=0\r\n" + kAddAfterDigits
                            << kPosition + "[Add]\r\n[\r\nSuji=1\r\n" + kAddAfterDigits;
    QTest::newRow("NUL in a value and in a foreign line")
        << kPosition + Raw("[Add]\r\nSuji=0\r\nAddChrList=a\0b\r\nx\0=\0\r\n")
        << pos + "01100 [a] []"
        << kPosition +
               Raw("[Add]\r\nSuji=0\r\nAddChrList=a\0b\r\nx\0=\0\r\nAlhabetBig=1\r\n"
                   "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n") +
               kPolicies
        << kPosition +
               Raw("[Add]\r\nSuji=1\r\nAddChrList=a\0b\r\nx\0=\0\r\nAlhabetBig=1\r\n"
                   "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n") +
               kPolicies;
    QTest::newRow("duplicate keys: the first wins")
        << kPosition + "[Add]\r\nSuji=0\r\nsuji=1\r\n"
        << pos + "01100 [] []" << kPosition + "[Add]\r\nSuji=0\r\nsuji=1\r\n" + kAddAfterDigits
        << kPosition + "[Add]\r\nSuji=1\r\nsuji=1\r\n" + kAddAfterDigits;
    QTest::newRow("duplicate sections: the first wins")
        << kPosition + "[Add]\r\nSuji=0\r\n[add]\r\nAddChr=1\r\n"
        << pos + "01100 [] []"
        << kPosition + "[Add]\r\nSuji=0\r\n" + kAddAfterDigits + "[add]\r\nAddChr=1\r\n"
        << kPosition + "[Add]\r\nSuji=1\r\n" + kAddAfterDigits + "[add]\r\nAddChr=1\r\n";
    QTest::newRow("keys before any header belong to none")
        << "Suji=0\r\n" + kPosition + kFullAdd << pos + "11100 [] []"
        << "Suji=0\r\n" + kPosition + kFullAdd
        << "Suji=0\r\n" + kPosition + "[Add]\r\nSuji=0\r\n" + kAddAfterDigits;
    QTest::newRow("header with blanks, trailing text, other case")
        << kPosition + "  [ ADD ] ; options\r\n suji = 0 \r\n"
        << pos + "01100 [] []"
        << kPosition + "  [ ADD ] ; options\r\n suji = 0 \r\n" + kAddAfterDigits
        << kPosition + "  [ ADD ] ; options\r\n suji =1\r\n" + kAddAfterDigits;
    QTest::newRow("UTF-8 with mark, LF line ends")
        << "\xEF\xBB\xBF" + kPosition + "[Add]\nSuji=1\nAddChrList=\xE3\x81\x82\n"
        << pos + "11100 [あ] []"
        << "\xEF\xBB\xBF" + kPosition +
               "[Add]\nSuji=1\nAddChrList=\xE3\x81\x82\nAlhabetBig=1\r\nAlphabetMini=1\r\n"
               "AddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies
        << "\xEF\xBB\xBF" + kPosition +
               "[Add]\nSuji=0\nAddChrList=\xE3\x81\x82\nAlhabetBig=1\r\nAlphabetMini=1\r\n"
               "AddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies;
    QTest::newRow("UTF-16")
        << Utf16(kPosition + "[Add]\r\nSuji=0\r\nAddChrList=ソ😀\r\n" + "[Other]\r\nk=v")
        << pos + "01100 [ソ😀] []"
        << Utf16(kPosition +
                 "[Add]\r\nSuji=0\r\nAddChrList=ソ😀\r\nAlhabetBig=1\r\n"
                 "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
                 kPolicies + "[Other]\r\nk=v")
        << Utf16(kPosition +
                 "[Add]\r\nSuji=1\r\nAddChrList=ソ😀\r\nAlhabetBig=1\r\n"
                 "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
                 kPolicies + "[Other]\r\nk=v");
    QTest::newRow("UTF-16 big-endian")
        << Utf16(kPosition + "[Add]\r\nSuji=0\r\nAddChrList=ソ😀\r\n" + "[Other]\r\nk=v", true)
        << pos + "01100 [ソ😀] []"
        << Utf16(kPosition +
                     "[Add]\r\nSuji=0\r\nAddChrList=ソ😀\r\nAlhabetBig=1\r\n"
                     "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
                     kPolicies + "[Other]\r\nk=v",
                 true)
        << Utf16(kPosition +
                     "[Add]\r\nSuji=1\r\nAddChrList=ソ😀\r\nAlhabetBig=1\r\n"
                     "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
                     kPolicies + "[Other]\r\nk=v",
                 true);
    // Lone lead byte, and 0xFF, which the original platform reads as U+F8F3.
    QTest::newRow("value with bytes that do not decode")
        << kPosition + "[Add]\r\nSuji=1\r\nAddChrList=a\x81 b\xFF\r\n"
        << pos + "11100 [" + Units({u'a', 0xDC81, u' ', u'b', 0xF8F3}) + "] []"
        << kPosition +
               "[Add]\r\nSuji=1\r\nAddChrList=a\x81 b\xFF\r\nAlhabetBig=1\r\n"
               "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies
        << kPosition +
               "[Add]\r\nSuji=0\r\nAddChrList=a\x81 b\xFF\r\nAlhabetBig=1\r\n"
               "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies;
    // Valid UTF-8 with a character beyond ASCII is UTF-8, and stays so without a mark.
    QTest::newRow("UTF-8 without mark")
        << kPosition + kFullAddWithoutPolicies.left(kFullAddWithoutPolicies.size() - 17) +
               "DeleteChrList=\xE3\x81\x82\xE3\x81\x84\xF0\x9F\x98\x80\r\n" + kPolicies
        << pos + "11100 [] [あい😀]" << QByteArray()
        << kPosition + "[Add]\r\nSuji=0\r\n" +
               kClassKeysAfterDigits.left(kClassKeysAfterDigits.size() - 17) +
               "DeleteChrList=\xE3\x81\x82\xE3\x81\x84\xF0\x9F\x98\x80\r\n" + kPolicies;
    QTest::newRow("UTF-8 without mark, a key added")
        << kPosition + "[Add]\r\nSuji=1\r\nAddChrList=\xE3\x81\x82\r\n"
        << pos + "11100 [あ] []"
        << kPosition +
               "[Add]\r\nSuji=1\r\nAddChrList=\xE3\x81\x82\r\nAlhabetBig=1\r\n"
               "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies
        << kPosition +
               "[Add]\r\nSuji=0\r\nAddChrList=\xE3\x81\x82\r\nAlhabetBig=1\r\n"
               "AlphabetMini=1\r\nAddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies;
    // Code page 932 text that is not valid UTF-8 ("あい" is 82 A0 82 A2) stays code page 932.
    QTest::newRow("code page 932 is not taken for UTF-8")
        << kPosition + kFullAddWithoutPolicies.left(kFullAddWithoutPolicies.size() - 17) +
               "DeleteChrList=\x82\xA0\x82\xA2\r\n" + kPolicies
        << pos + "11100 [] [あい]" << QByteArray()
        << kPosition + "[Add]\r\nSuji=0\r\n" +
               kClassKeysAfterDigits.left(kClassKeysAfterDigits.size() - 17) +
               "DeleteChrList=\x82\xA0\x82\xA2\r\n" + kPolicies;
    QTest::newRow("foreign section with bytes outside code page 932")
        << "[Other]\r\nk=\x80\xA0\x81\xFF\xFD\r\n; \x83\r\n" + kPosition + kFullAdd
        << pos + "11100 [] []" << QByteArray()
        << "[Other]\r\nk=\x80\xA0\x81\xFF\xFD\r\n; \x83\r\n" + kPosition + "[Add]\r\nSuji=0\r\n" +
               kAddAfterDigits;
    QTest::newRow("0x7F and 0x1A") << kPosition + "[Add]\r\nSuji=1\r\nDeleteChrList=\x7F\x1A\r\n"
                                   << pos + "11100 [] [\x7F\x1A]"
                                   << kPosition + "[Add]\r\nSuji=1\r\nDeleteChrList=\x7F\x1A\r\n" +
                                          kClassKeysAfterDigits.chopped(16) + kPolicies
                                   << kPosition + "[Add]\r\nSuji=0\r\nDeleteChrList=\x7F\x1A\r\n" +
                                          kClassKeysAfterDigits.chopped(16) + kPolicies;
    QTest::newRow("quoted value and CR line ends")
        << kPosition + "[Add]\rSuji=1\rAddChrList = \" a \" \r" << pos + "11100 [ a ] []"
        << kPosition +
               "[Add]\rSuji=1\rAddChrList = \" a \" \rAlhabetBig=1\r\nAlphabetMini=1\r\n"
               "AddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies
        << kPosition +
               "[Add]\rSuji=0\rAddChrList = \" a \" \rAlhabetBig=1\r\nAlphabetMini=1\r\n"
               "AddChr=0\r\nDeleteChr=0\r\nDeleteChrList=\r\n" +
               kPolicies;
    QTest::newRow("no line end at the end") << kPosition + "[Add]\r\nSuji=0" << pos + "01100 [] []"
                                            << kPosition + "[Add]\r\nSuji=0\r\n" + kAddAfterDigits
                                            << kPosition + "[Add]\r\nSuji=1\r\n" + kAddAfterDigits;
    QTest::newRow("invalid position")
        << "[Position]\r\nLeft=-60\r\nTop=30\r\nWidth=9e3\r\nHeight=6000\r\n" + kFullAdd
        << u"0,30,8895,6000 11100 [] []"_qs
        << "[Position]\r\nLeft=0\r\nTop=30\r\nWidth=8895\r\nHeight=6000\r\n" + kFullAdd
        << "[Position]\r\nLeft=0\r\nTop=30\r\nWidth=8895\r\nHeight=6000\r\n[Add]\r\nSuji=0\r\n" +
               kAddAfterDigits;
    QTest::newRow("later keys as read: left alone")
        << kPosition + kFullAdd +
               "Unique=1\r\n[Rules]\r\nSymbols=jis-us\r\nMinDigits=03\r\nFirst=x\r\n"
        << pos + "11100 [] []" << QByteArray()
        << kPosition + "[Add]\r\nSuji=0\r\n" + kAddAfterDigits +
               "Unique=1\r\n[Rules]\r\nSymbols=jis-us\r\nMinDigits=03\r\nFirst=x\r\n";
    QTest::newRow("empty file") << QByteArray() << u"0,0,8895,5580 11100 [] []"_qs
                                << kDefaultPosition + kFullAdd
                                << kDefaultPosition + "[Add]\r\nSuji=0\r\n" + kAddAfterDigits;
}

void TestSettingsFileTable::loadAndClose() {
    QFETCH(QByteArray, file);
    QFETCH(QString, loaded);
    QFETCH(QByteArray, afterNone);
    QFETCH(QByteArray, afterToggle);
    if (afterNone.isNull())
        afterNone = file; // nothing to add, nothing changed

    const StoredSettings settings =
        LoadStoredSettings(IniDocument::fromBytes(file), kLargeScreen, kLargeScreen);
    QCOMPARE(Describe(settings), loaded);

    IniDocument none = IniDocument::fromBytes(file);
    QVERIFY(StoreSettings(none, settings));
    QCOMPARE(none.toBytes(), afterNone);
    QCOMPARE(none.isModified(), afterNone != file);

    IniDocument toggled = IniDocument::fromBytes(file);
    StoredSettings changed = settings;
    changed.digits = !changed.digits;
    QVERIFY(StoreSettings(toggled, changed));
    QCOMPARE(toggled.toBytes(), afterToggle);

    // The next start loads exactly what was stored.
    QCOMPARE(LoadStoredSettings(IniDocument::fromBytes(afterNone), kLargeScreen, kLargeScreen),
             settings);
    QCOMPARE(LoadStoredSettings(IniDocument::fromBytes(afterToggle), kLargeScreen, kLargeScreen),
             changed);
}

// The two policies load checked only from exactly "1"; a close writes both, after the others.
void TestSettingsFileTable::policies_data() {
    QTest::addColumn<QByteArray>("add");
    QTest::addColumn<bool>("noSimilar");
    QTest::addColumn<bool>("eachClass");
    QTest::addColumn<QByteArray>("afterToggle"); // the section after both were toggled

    QTest::newRow("absent: unchecked")
        << QByteArray("[Add]\r\nSuji=1\r\n") << false << false
        << "[Add]\r\nSuji=1\r\n" + kClassKeysAfterDigits + "NoSimilar=1\r\nEachClass=1\r\n";
    QTest::newRow("both 1") << QByteArray("[Add]\r\nEachClass=1\r\nNoSimilar=1\r\n") << true << true
                            << "[Add]\r\nEachClass=0\r\nNoSimilar=0\r\nSuji=1\r\n" +
                                   kClassKeysAfterDigits;
    QTest::newRow("2, a blank or a word: unchecked")
        << QByteArray("[Add]\r\nNoSimilar=2\r\nEachClass= yes\r\n") << false << false
        << "[Add]\r\nNoSimilar=1\r\nEachClass=1\r\nSuji=1\r\n" + kClassKeysAfterDigits;
    QTest::newRow("other case of the key")
        << QByteArray("[Add]\r\nnosimilar=1\r\n") << true << false
        << "[Add]\r\nnosimilar=0\r\nSuji=1\r\n" + kClassKeysAfterDigits + "EachClass=1\r\n";
}

void TestSettingsFileTable::policies() {
    QFETCH(QByteArray, add);
    QFETCH(bool, noSimilar);
    QFETCH(bool, eachClass);
    QFETCH(QByteArray, afterToggle);
    StoredSettings settings =
        LoadStoredSettings(IniDocument::fromBytes(kPosition + add), kLargeScreen, kLargeScreen);
    QCOMPARE(settings.noSimilar, noSimilar);
    QCOMPARE(settings.eachClass, eachClass);
    settings.noSimilar = !noSimilar;
    settings.eachClass = !eachClass;
    IniDocument closed = IniDocument::fromBytes(kPosition + add);
    QVERIFY(StoreSettings(closed, settings));
    QCOMPARE(closed.toBytes(), kPosition + afterToggle);
    QCOMPARE(LoadStoredSettings(closed, kLargeScreen, kLargeScreen), settings);
}

void TestSettingsFileTable::negativePlaceStoredAsZero() {
    StoredSettings settings; // a window dragged partly above and left of the screen
    settings.window = {-285, -15, 9000, 6000};
    IniDocument closed;
    QVERIFY(StoreSettings(closed, settings));
    QVERIFY(closed.toBytes().startsWith("[Position]\r\nLeft=0\r\nTop=0\r\nWidth=9000\r\n"));
}

// 詳細設定 changes the [Rules] values whose choice changed; the others keep what was read.
void TestSettingsFileTable::ruleChoicesChangeOnlyWhatChanged() {
    StoredSettings stored;
    stored.symbols = u"foo"_qs;
    stored.minDigits = 200000;
    stored.first = u"alnum"_qs;
    RuleChoices choices = RuleChoicesFrom(stored);
    QCOMPARE(choices.minimums.digits, 99999);
    choices.minimums.upper = 2;
    choices.first = FirstCharacter::Letter;
    StoredSettings expected = stored;
    expected.minUpper = 2;
    expected.first = u"letter"_qs;
    ApplyRuleChoices(stored, choices);
    QCOMPARE(stored, expected);
}

QTEST_APPLESS_MAIN(TestSettingsFileTable)
#include "tst_SettingsFileTable.moc"
