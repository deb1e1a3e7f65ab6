// Pool entries are whole characters as a reader sees them (grapheme clusters).
#include "EachClass.h"
#include "Entropy.h"
#include "PasswordEnumeration.h"
#include "PasswordGenerator.h"

#include <QTest>
#include <QTextBoundaryFinder>

namespace {
// The characters of text as a reader counts them, by Qt's own boundary finder.
QStringList ReadAs(const QString& text) {
    QStringList parts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        parts << text.mid(start, end - start);
        start = end;
    }
    return parts;
}

QStringList Entries(const CharacterPool& pool) {
    QStringList entries;
    for (qsizetype i = 0; i < pool.size(); ++i)
        entries << pool.entryText(i);
    return entries;
}
} // namespace

class GraphemePoolTest : public QObject {
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void passwordsOfWholeCharacters_data();
    void passwordsOfWholeCharacters();
    void eachClassJudgesTheEntriesDrawn();
    void entropyCountsWholeCharacters();
};

void GraphemePoolTest::entries_data() {
    QTest::addColumn<GenerationOptions>("options");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("clustered");

    // One entry per character by Unicode's rules, each in its composed form.
    const QString accented = u"q\u0301"_qs; // q́ has no precomposed form: two code points
    QTest::newRow("letter and combining accent")
        << OptionsOf("", u"e\u0301x"_qs) << QStringList{u"\u00e9"_qs, "x"} << false;
    QTest::newRow("precomposed and combined é are one entry")
        << OptionsOf("", u"\u00e9e\u0301"_qs) << QStringList{u"\u00e9"_qs, u"\u00e9"_qs} << false;
    QTest::newRow("half-width kana and its sound mark")
        << OptionsOf("", u"ｶﾞｷ"_qs) << QStringList{u"ｶﾞ"_qs, u"ｷ"_qs} << true;
    QTest::newRow("flag after an emoji")
        << OptionsOf("", u"😀🇯🇵"_qs) << QStringList{u"😀"_qs, u"🇯🇵"_qs} << true;
    QTest::newRow("flag after a letter")
        << OptionsOf("", u"a🇯🇵"_qs) << QStringList{"a", u"🇯🇵"_qs} << true;
    QTest::newRow("two flags in a row")
        << OptionsOf("", u"🇯🇵🇫🇷"_qs) << QStringList{u"🇯🇵"_qs, u"🇫🇷"_qs} << true;
    QTest::newRow("skin tones") << OptionsOf("", u"👍🏽👋🏿"_qs)
                                << QStringList{u"👍🏽"_qs, u"👋🏿"_qs} << true;
    QTest::newRow("family joined by ZWJ")
        << OptionsOf("", u"👨‍👩‍👧‍👦x"_qs)
        << QStringList{u"👨‍👩‍👧‍👦"_qs, "x"} << true;
    QTest::newRow("keycap") << OptionsOf("", u"1️⃣2"_qs) << QStringList{u"1️⃣"_qs, "2"}
                            << true;
    QTest::newRow("Hangul jamo") << OptionsOf("", u"\u1100\u1161\u11A8\u1100"_qs)
                                 << QStringList{u"\uAC01"_qs, u"\u1100"_qs} << false;
    QTest::newRow("Devanagari conjunct")
        << OptionsOf("", u"क्षa"_qs) << QStringList{u"क्ष"_qs, "a"} << true;
    QTest::newRow("a lone accent first stands alone")
        << OptionsOf("", u"\u0301a"_qs) << QStringList{u"\u0301"_qs, "a"} << false;
    QTest::newRow("lone surrogate dropped")
        << OptionsOf("", "a" + QString(QChar(0xD800)) + "b") << QStringList{"a", "b"} << false;
    QTest::newRow("single code points stay on the fast path")
        << OptionsOf("", u"aあ😀"_qs) << QStringList{"a", u"あ"_qs, u"😀"_qs} << false;
    // Exclusion takes whole characters: "q" does not take the accented q, nor the reverse.
    QTest::newRow("excluding q keeps the accented q")
        << OptionsOf("", accented + "qx", "q") << QStringList{accented, "x"} << true;
    QTest::newRow("excluding the accented q keeps q, back on the fast path")
        << OptionsOf("", accented + "qx", accented) << QStringList{"q", "x"} << false;
    QTest::newRow("excluding e and U+0301 takes the precomposed é")
        << OptionsOf("", u"\u00e9a"_qs, u"e\u0301"_qs) << QStringList{"a"} << false;
    QTest::newRow("excluding ｶﾞ") << OptionsOf("w", u"ｶﾞ"_qs, u"ｶﾞ"_qs)
                                  << QString(kLowerCaseCharacters).split("", Qt::SkipEmptyParts)
                                  << false;
}

void GraphemePoolTest::entries() {
    QFETCH(GenerationOptions, options);
    QFETCH(QStringList, entries);
    QFETCH(bool, clustered);
    const CharacterPool pool = BuildCharacterPool(options);
    QCOMPARE(Entries(pool), entries);
    QCOMPARE(pool.isClustered(), clustered);
}

// "-a $'e\u0301'" made passwords that started with a lone accent; now 6 characters are 6 that a
// reader counts, each one of the pool's entries.
void GraphemePoolTest::passwordsOfWholeCharacters_data() {
    QTest::addColumn<QString>("extra");
    QTest::newRow("accented e alone") << u"e\u0301"_qs;
    QTest::newRow("accented e and x") << u"e\u0301x"_qs;
    QTest::newRow("ｶﾞ and ｷ") << u"ｶﾞｷ"_qs;
    QTest::newRow("flag, emoji and a letter") << u"🇯🇵👍🏽a"_qs;
}

void GraphemePoolTest::passwordsOfWholeCharacters() {
    QFETCH(QString, extra);
    const CharacterPool pool = BuildCharacterPool(OptionsOf("", extra));
    const QStringList entries = Entries(pool);
    RandomSource source(ChaChaKey{3, 1, 4, 1, 5, 9, 2, 6});
    for (int n = 0; n < 200; ++n) {
        const QString password = GeneratePassword(pool, 6, source, [] { return false; });
        const QStringList read = ReadAs(password);
        QCOMPARE(read.size(), 6);
        for (const QString& character : read)
            QVERIFY2(entries.contains(character), qPrintable(password));
    }
    int characters = 0;
    const QString cut = GeneratePassword(pool, 6, source, [&] { return ++characters == 2; });
    QCOMPARE(ReadAs(cut).size(), 2);
}

// A lone accent is an entry of its own; beside a digit it reads as one character with it, yet
// the rule counts the two entries drawn, so the draw ends and every password holds both.
void GraphemePoolTest::eachClassJudgesTheEntriesDrawn() {
    const GenerationOptions options = OptionsOf("d", u"\u0301ｶﾞ"_qs, "123456789");
    const CharacterPool pool = BuildCharacterPool(options);
    const EachClassRule rule(options);
    QCOMPARE(int(rule.classesMissingFrom(pool)), 0);
    RandomSource source(ChaChaKey{2, 7, 1, 8, 2, 8, 1, 8});
    for (int n = 0; n < 200; ++n) {
        const QString password =
            GenerateEachClassPassword(pool, rule, 2, source, [] { return false; });
        QVERIFY2(password.contains(u'0') &&
                     (password.contains(u'\u0301') || password.contains(u"ｶﾞ"_qs)),
                 qPrintable(password));
    }
    // Without the kana and the accent the extra class has no character left.
    CharacterPool withoutExtra = pool;
    withoutExtra.removeAllOf(u"\u0301ｶﾞ"_qs);
    QCOMPARE(int(rule.classesMissingFrom(withoutExtra)), int(EachClassRule::Extra));
}

// Two entries of the accented e and one x: one password character holds 0.918 bits.
void GraphemePoolTest::entropyCountsWholeCharacters() {
    const CharacterPool pool = BuildCharacterPool(OptionsOf("", u"e\u0301xe\u0301"_qs));
    QCOMPARE(pool.size(), 3);
    const double oneCharacter = -(2.0 / 3) * std::log2(2.0 / 3) - (1.0 / 3) * std::log2(1.0 / 3);
    QCOMPARE(PasswordEntropyBits(pool, 4), 4 * oneCharacter);
    // With the rule "an extra character" every password meets it: nothing changes.
    const EachClassRule rule(OptionsOf("", u"e\u0301xe\u0301"_qs));
    QCOMPARE(EachClassAcceptance(pool, rule, 4), 1.0);
    QCOMPARE(PasswordEntropyBits(pool, 4, rule), 4 * oneCharacter);
}

QTEST_APPLESS_MAIN(GraphemePoolTest)
#include "tst_GraphemePool.moc"
