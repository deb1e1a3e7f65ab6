#include "CharacterPool.h"

#include <QTest>

namespace {
const QString kDigits = QStringLiteral("0123456789");
const QString kUpper = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kLower = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
} // namespace

class CharacterPoolTest : public QObject {
    Q_OBJECT

private slots:
    void buildsPoolFromOptions_data();
    void buildsPoolFromOptions();
    void holdsMoreThanSixteenBitCountOfEntries();
};

void CharacterPoolTest::buildsPoolFromOptions_data() {
    QTest::addColumn<bool>("digits");
    QTest::addColumn<bool>("big");
    QTest::addColumn<bool>("mini");
    QTest::addColumn<bool>("extra");
    QTest::addColumn<QString>("addList");
    QTest::addColumn<bool>("exclude");
    QTest::addColumn<QString>("deleteList");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing chosen") << false << false << false << false << "" << false << ""
                                    << "";
    QTest::newRow("digits only") << true << false << false << false << "" << false << "" << kDigits;
    QTest::newRow("three classes in order")
        << true << true << true << false << "" << false << "" << kDigits + kUpper + kLower;
    QTest::newRow("extra 7 repeats a digit")
        << true << false << false << true << "7" << false << "" << kDigits + "7";
    QTest::newRow("extra text alone, repeats kept")
        << false << false << false << true << "aaa" << false << ""
        << "aaa";
    QTest::newRow("extra text ignored while switched off")
        << true << false << false << false << "xyz" << false << "" << kDigits;
    QTest::newRow("excluded text ignored while switched off")
        << true << false << false << false << "" << false << "012" << kDigits;
    QTest::newRow("empty extra text adds nothing")
        << true << false << false << true << "" << false << "" << kDigits;
    QTest::newRow("exclusion is case-sensitive")
        << false << true << true << false << "" << true << "a" << kUpper + kLower.mid(1);
    QTest::newRow("exclusion removes added copies too")
        << true << false << false << true << "5" << true << "5"
        << "012346789";
    QTest::newRow("excluding every digit empties the pool")
        << true << false << false << false << "" << true << kDigits << "";
    QTest::newRow("a repeated or absent excluded character removes nothing more")
        << true << false << false << false << "" << true << "33Q!"
        << "012456789";
    QTest::newRow("blank and Japanese are entries")
        << false << false << false << true << QStringLiteral(" パス") << false << ""
        << QStringLiteral(" パス");
    QTest::newRow("full-width letter differs from ASCII")
        << false << false << true << true << QStringLiteral("ａ") << true << "a"
        << kLower.mid(1) + QStringLiteral("ａ");
    QTest::newRow("ASCII exclusion leaves full-width digit")
        << false << false << false << true << QStringLiteral("5５5") << true << "5"
        << QStringLiteral("５");
    // Characters beyond the Basic Multilingual Plane are one entry each, to add and to exclude;
    // a lone surrogate is no character and never becomes an entry.
    QTest::newRow("emoji is one entry, repeats kept")
        << false << false << false << true << QStringLiteral("😀a😀") << false << ""
        << QStringLiteral("😀a😀");
    QTest::newRow("excluding an emoji removes it whole")
        << false << false << false << true << QStringLiteral("😀x😁") << true << QStringLiteral("😀")
        << QStringLiteral("x😁");
    QTest::newRow("excluding one half of a pair removes nothing")
        << false << false << false << true << QStringLiteral("😀x") << true << QString(QChar(0xD83D))
        << QStringLiteral("😀x");
    QTest::newRow("lone surrogates are dropped")
        << false << false << false << true
        << QString(QChar(0xD83D)) + u'a' + QChar(0xDE00) + QChar(0xDE00) << false << ""
        << "a";
}

void CharacterPoolTest::buildsPoolFromOptions() {
    GenerationOptions options;
    QFETCH(bool, digits);
    QFETCH(bool, big);
    QFETCH(bool, mini);
    options.digits = digits;
    options.upper = big;
    options.lower = mini;
    QFETCH(bool, extra);
    QFETCH(QString, addList);
    QFETCH(bool, exclude);
    QFETCH(QString, deleteList);
    options.extra = extra;
    options.extraText = addList;
    options.exclude = exclude;
    options.excludeText = deleteList;
    QFETCH(QString, expected);

    const CharacterPool pool = BuildCharacterPool(options);

    QCOMPARE(pool.toString(), expected);
    const QList<uint> points = expected.toUcs4();
    QCOMPARE(pool.size(), points.size());
    QCOMPARE(pool.isEmpty(), expected.isEmpty());
    for (qsizetype i = 0; i < points.size(); ++i)
        QCOMPARE(pool.at(i), char32_t(points.at(i)));
}

void CharacterPoolTest::holdsMoreThanSixteenBitCountOfEntries() {
    GenerationOptions options;
    options.extra = true;
    options.extraText = QString(40000, u'x') + u'y';
    options.exclude = true;
    options.excludeText = QStringLiteral("z");

    const CharacterPool pool = BuildCharacterPool(options);

    QCOMPARE(pool.size(), 40001);
    QCOMPARE(pool.at(39999), U'x');
    QCOMPARE(pool.at(40000), U'y');
}

QTEST_APPLESS_MAIN(CharacterPoolTest)
#include "tst_CharacterPool.moc"
