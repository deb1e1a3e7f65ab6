#include "CharacterPool.h"
#include "PasswordGenerator.h"

#include <QSet>
#include <QTest>

namespace {

CharacterPool poolOf(const QString& text) {
    GenerationOptions options;
    options.extra = true;
    options.extraText = text;
    return BuildCharacterPool(options);
}

} // namespace

class PasswordGeneratorTest : public QObject {
    Q_OBJECT

private slots:
    void lengthAndStop_data();
    void lengthAndStop();
    void emptyPoolDrawsNothing();
    void charactersComeFromThePool_data();
    void charactersComeFromThePool();
    void consecutivePasswordsAreIndependent();
};

void PasswordGeneratorTest::lengthAndStop_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("stopAtCall"); // 0: the hook never asks to stop
    QTest::addColumn<int>("expectedLength");

    QTest::newRow("full length") << 8 << 0 << 8;
    QTest::newRow("length 1") << 1 << 0 << 1;
    QTest::newRow("length 0") << 0 << 0 << 0;
    QTest::newRow("negative length") << -5 << 0 << 0;
    QTest::newRow("stop after the first character") << 8 << 1 << 1;
    QTest::newRow("stop in the middle") << 8 << 3 << 3;
    QTest::newRow("stop after the last character") << 8 << 8 << 8;
    QTest::newRow("long password") << 99999 << 0 << 99999;
}

void PasswordGeneratorTest::lengthAndStop() {
    QFETCH(int, length);
    QFETCH(int, stopAtCall);
    QFETCH(int, expectedLength);
    const CharacterPool pool = poolOf(QStringLiteral("0123456789"));
    int hookCalls = 0;

    const QString password = GeneratePassword(pool, length, [&] {
        ++hookCalls;
        return hookCalls == stopAtCall;
    });

    QCOMPARE(password.size(), expectedLength);
    // One hook call per drawn character, none after a stop.
    QCOMPARE(hookCalls, expectedLength);
    for (QChar c : password)
        QVERIFY(c.isDigit());
}

void PasswordGeneratorTest::emptyPoolDrawsNothing() {
    int hookCalls = 0;
    const QString password = GeneratePassword(CharacterPool(), 10, [&] {
        ++hookCalls;
        return false;
    });
    QVERIFY(password.isEmpty());
    QCOMPARE(hookCalls, 0);
}

void PasswordGeneratorTest::charactersComeFromThePool_data() {
    QTest::addColumn<QString>("poolText");
    QTest::addColumn<QString>("allowed");

    QTest::newRow("one character repeated") << QStringLiteral("aaa") << QStringLiteral("a");
    QTest::newRow("digits") << QStringLiteral("0123456789") << QStringLiteral("0123456789");
    QTest::newRow("blank and Japanese") << QStringLiteral(" パ") << QStringLiteral(" パ");
    QTest::newRow("emoji stay whole") << QStringLiteral("😀a𠀋") << QStringLiteral("😀a𠀋");
}

void PasswordGeneratorTest::charactersComeFromThePool() {
    QFETCH(QString, poolText);
    QFETCH(QString, allowed);
    RandomSource source;

    const QString password = GeneratePassword(poolOf(poolText), 5000, source, [] { return false; });

    // The length counts whole characters, and no character is ever cut in half.
    QVERIFY(password.isValidUtf16());
    const QList<uint> drawn = password.toUcs4();
    QCOMPARE(drawn.size(), 5000);
    const QList<uint> allowedPoints = allowed.toUcs4();
    QCOMPARE(QSet<uint>(drawn.cbegin(), drawn.cend()),
             QSet<uint>(allowedPoints.cbegin(), allowedPoints.cend()));
}

void PasswordGeneratorTest::consecutivePasswordsAreIndependent() {
    // Many passwords within one clock tick: a generator that restarted on each reseed would
    // repeat itself here.
    const CharacterPool pool = poolOf(QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QSet<QString> passwords;
    for (int i = 0; i < 1000; ++i)
        passwords.insert(GeneratePassword(pool, 16, [] { return false; }));
    QCOMPARE(passwords.size(), 1000);
}

QTEST_APPLESS_MAIN(PasswordGeneratorTest)
#include "tst_PasswordGenerator.moc"
