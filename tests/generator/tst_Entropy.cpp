#include "Entropy.h"
#include "PasswordEnumeration.h"

#include <QTest>

namespace {
const QString kDigits = QStringLiteral("0123456789");
const QString kUpper = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kLower = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString kUpperButA = kUpper.mid(1);
} // namespace

class EntropyTest : public QObject {
    Q_OBJECT

private slots:
    void matchesEnumeration_data();
    void matchesEnumeration();
    void knownValues_data();
    void knownValues();
};

void EntropyTest::matchesEnumeration_data() {
    QTest::addColumn<GenerationOptions>("options");
    QTest::addColumn<bool>("eachClass");
    QTest::addColumn<QStringList>("classTexts"); // what the rule asks for, spelled out
    QTest::addColumn<int>("length");

    QTest::newRow("digits, no rule") << OptionsOf("d") << false << QStringList() << 3;
    QTest::newRow("repeated entries weigh") << OptionsOf("", "aab") << false << QStringList() << 3;
    QTest::newRow("one digit and one letter")
        << OptionsOf("d", "aab", "23456789") << true << QStringList{kDigits, "aab"} << 2;
    QTest::newRow("extra 7 counts as a digit too, length 3")
        << OptionsOf("du", "a7a", "23456789" + kUpperButA) << true
        << QStringList{kDigits, kUpper, "a7a"} << 3;
    QTest::newRow("extra 7 counts as a digit too, length 5")
        << OptionsOf("du", "a7a", "23456789" + kUpperButA) << true
        << QStringList{kDigits, kUpper, "a7a"} << 5;
    QTest::newRow("emoji is one entry")
        << OptionsOf("d", "😀x", "23456789") << true << QStringList{kDigits, "😀x"} << 3;
    QTest::newRow("extra letters inside the lower case")
        << OptionsOf("w", "ab") << true << QStringList{kLower, "ab"} << 2;
    QTest::newRow("one class, length 1")
        << OptionsOf("d", QString(), "0123456") << true << QStringList{kDigits} << 1;
    QTest::newRow("empty extra text is no class")
        << OptionsOf("d", "", "2345678") << true << QStringList{kDigits} << 2;
}

void EntropyTest::matchesEnumeration() {
    QFETCH(GenerationOptions, options);
    QFETCH(bool, eachClass);
    QFETCH(QStringList, classTexts);
    QFETCH(int, length);
    const CharacterPool pool = BuildCharacterPool(options);
    const EachClassRule rule = eachClass ? EachClassRule(options) : EachClassRule();
    const EnumeratedPasswords all = EnumeratePasswords(pool, length, classTexts);

    QCOMPARE(rule.classCount(), classTexts.size());
    QVERIFY(qAbs(EachClassAcceptance(pool, rule, length) - all.acceptance) < 1e-12);
    const double bits = PasswordEntropyBits(pool, length, rule);
    QVERIFY2(qAbs(bits - all.entropyBits()) < 1e-9,
             qPrintable(QStringLiteral("%1 against %2").arg(bits).arg(all.entropyBits())));
}

// Lengths beyond counting out: the closed form must still give the textbook value where
// there is one.
void EntropyTest::knownValues_data() {
    QTest::addColumn<GenerationOptions>("options");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("bits");

    QTest::newRow("62 characters, 16 long") << OptionsOf("duw") << 16 << 16 * std::log2(62.0);
    QTest::newRow("99999 digits") << OptionsOf("d") << 99999 << 99999 * std::log2(10.0);
    QTest::newRow("one character") << OptionsOf("", "aaa") << 50 << 0.0;
    QTest::newRow("empty pool") << OptionsOf("d", QString(), kDigits) << 8 << 0.0;
}

void EntropyTest::knownValues() {
    QFETCH(GenerationOptions, options);
    QFETCH(int, length);
    QFETCH(double, bits);
    const CharacterPool pool = BuildCharacterPool(options);
    QVERIFY(qAbs(PasswordEntropyBits(pool, length) - bits) < 1e-6 * qMax(1.0, bits));
    // With all three classes and a long password the rule costs almost nothing.
    if (pool.size() == 62) {
        const double withRule = PasswordEntropyBits(pool, length, EachClassRule(options));
        QVERIFY(withRule < bits && withRule > bits - 0.1);
    }
}

QTEST_APPLESS_MAIN(EntropyTest)
#include "tst_Entropy.moc"
