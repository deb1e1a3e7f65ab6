#include "EachClass.h"
#include "Entropy.h"
#include "LookAlikes.h"
#include "PasswordEnumeration.h"

#include <QTest>

class EachClassTest : public QObject {
    Q_OBJECT

private slots:
    void isMetBy_data();
    void isMetBy();
    void missingClasses_data();
    void missingClasses();
    void drawsAreUniformOverPasswordsThatMeetTheRule();
    void stopEndsTheDraw();
    void lookAlikesLeaveThePool();
};

void EachClassTest::isMetBy_data() {
    QTest::addColumn<GenerationOptions>("options");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("met");

    QTest::newRow("all three") << OptionsOf("duw") << "aB3" << true;
    QTest::newRow("no digit") << OptionsOf("duw") << "aBc" << false;
    QTest::newRow("empty password") << OptionsOf("d") << "" << false;
    QTest::newRow("a class not chosen does not count") << OptionsOf("d") << "9x" << true;
    QTest::newRow("extra 7 is a digit too") << OptionsOf("d", "7") << "7" << true;
    QTest::newRow("digit 5 is not the extra 7") << OptionsOf("d", "7") << "5" << false;
    QTest::newRow("emoji extra") << OptionsOf("w", "😀") << "a😀" << true;
    QTest::newRow("emoji extra missing") << OptionsOf("w", "😀") << "ab" << false;
    QTest::newRow("full-width extra") << OptionsOf("d", "ａ") << "1ａ" << true;
    QTest::newRow("no class chosen") << OptionsOf("") << "x" << true;
}

void EachClassTest::isMetBy() {
    QFETCH(GenerationOptions, options);
    QFETCH(QString, password);
    QFETCH(bool, met);
    QCOMPARE(EachClassRule(options).isMetBy(password), met);
}

void EachClassTest::missingClasses_data() {
    QTest::addColumn<GenerationOptions>("options");
    QTest::addColumn<bool>("noSimilar");
    QTest::addColumn<int>("missing");

    QTest::newRow("nothing missing") << OptionsOf("duw", "!") << false << 0;
    QTest::newRow("every digit excluded")
        << OptionsOf("du", QString(), "0123456789") << false << int(EachClassRule::Digits);
    QTest::newRow("extra text excluded")
        << OptionsOf("d", "#", "#") << false << int(EachClassRule::Extra);
    QTest::newRow("extra look-alikes removed")
        << OptionsOf("w", "0O|") << true << int(EachClassRule::Extra);
    QTest::newRow("digit kept by the extra text") << OptionsOf("d", "5", "012346789") << false << 0;
}

void EachClassTest::missingClasses() {
    QFETCH(GenerationOptions, options);
    QFETCH(bool, noSimilar);
    QFETCH(int, missing);
    CharacterPool pool = BuildCharacterPool(options);
    if (noSimilar)
        RemoveLookAlikes(pool);
    QCOMPARE(int(EachClassRule(options).classesMissingFrom(pool)), missing);
}

// Pool 0 1 a a b, one digit and one extra letter required, length 2: eight passwords meet the
// rule, those with "a" twice as likely as those with "b". The draws must follow exactly that.
void EachClassTest::drawsAreUniformOverPasswordsThatMeetTheRule() {
    const GenerationOptions options = OptionsOf("d", "aab", "23456789");
    const CharacterPool pool = BuildCharacterPool(options);
    const EachClassRule rule(options);
    const EnumeratedPasswords expected =
        EnumeratePasswords(pool, 2, {QStringLiteral("0123456789"), QStringLiteral("aab")});
    QCOMPARE(expected.chances.size(), size_t(8));

    RandomSource source(ChaChaKey{7, 1, 2, 3, 4, 5, 6, 8});
    constexpr int kDraws = 80'000;
    std::map<std::u32string, int> seen;
    for (int i = 0; i < kDraws; ++i) {
        const QString password =
            GenerateEachClassPassword(pool, rule, 2, source, [] { return false; });
        const QList<uint> points = password.toUcs4();
        ++seen[std::u32string(points.begin(), points.end())];
    }
    QCOMPARE(seen.size(), expected.chances.size());
    double chiSquare = 0;
    for (const auto& [password, chance] : expected.chances) {
        const double count = kDraws * chance / expected.acceptance;
        const double diff = seen[password] - count;
        chiSquare += diff * diff / count;
    }
    // df 7, false alarm one in a million.
    QVERIFY2(chiSquare < 40.5, qPrintable(QString::number(chiSquare)));
}

void EachClassTest::stopEndsTheDraw() {
    // Digits only, but the rule asks for an "x" that is never drawn within three characters
    // often enough: the stop must still end the draw after the third character.
    const GenerationOptions options = OptionsOf("d", "x");
    const CharacterPool pool = BuildCharacterPool(options);
    int calls = 0;
    const QString password = GenerateEachClassPassword(
        pool, EachClassRule(options), 8, ProcessRandomSource(), [&] { return ++calls == 3; });
    QCOMPARE(password.size(), 3);
    QCOMPARE(calls, 3);
}

void EachClassTest::lookAlikesLeaveThePool() {
    CharacterPool pool = BuildCharacterPool(OptionsOf("duw", "０Ｏｏ１ｌＩ｜|x"));
    RemoveLookAlikes(pool);
    QCOMPARE(pool.toString(),
             QStringLiteral("23456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyzx"));
}

QTEST_APPLESS_MAIN(EachClassTest)
#include "tst_EachClass.moc"
