// The run's options kept in keymill.ini beyond the boxes: 重複なし and the stored rules.
#include "IniValues.h"
#include "RunRefusalText.h"
#include "WindowFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestWindowRules : public QObject {
    Q_OBJECT
private slots:
    void uniqueListAndItsLimit();
    void storedRulesAreMet();
};

namespace {
// The fixture's window started again over a keymill.ini holding ini.
void restartWith(WindowFixture& f, const QByteArray& ini) {
    f.window.reset();
    QFile file(f.dir.filePath("keymill.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
    file.close();
    f.window = std::make_unique<MainWindow>(nullptr, f.dir.path());
}
} // namespace

void TestWindowRules::uniqueListAndItsLimit() {
    WindowFixture f;
    restartWith(f, "[Add]\r\nAlhabetBig=0\r\nAlphabetMini=0\r\nUnique=1\r\n");
    f.run("2", "100");
    QCOMPARE(QSet<QString>(f.listed().cbegin(), f.listed().cend()).size(), 100);
    QVERIFY(!f.label("strengthLabel")->toolTip().contains(u"重複の可能性"_qs));
    f.run("2", "101");
    QCOMPARE(f.errors, QStringList{RunRefusalMessage({RunRule::UniqueCount, 100})});
    // Off, the list may repeat and the tooltip says how likely that is; a close keeps it off.
    f.actions().unique->trigger();
    QVERIFY(f.label("strengthLabel")->toolTip().endsWith(u"\n重複の可能性 100 %"_qs));
    f.actions().quit->trigger();
    QCOMPARE(ReadIniValue("Add", "Unique", f.dir.filePath("keymill.ini")), QString("0"));
}

void TestWindowRules::storedRulesAreMet() {
    WindowFixture f;
    restartWith(f, "[Rules]\r\nSymbols=jis-us\r\nMinDigits=3\r\nMinSymbols=1\r\n");
    f.run("10", "1000");
    QCOMPARE(f.listed().size(), 1000);
    const QRegularExpression valid(
        "^(?=(.*\\d){3})(?=.*[-!#$%,./;<>?])[-!#$%,./;<>?0-9A-Za-z]{10}$");
    for (const QString& password : f.listed())
        QVERIFY2(valid.match(password).hasMatch(), qPrintable(password));
}

QTEST_MAIN(TestWindowRules)
#include "tst_WindowRules.moc"
