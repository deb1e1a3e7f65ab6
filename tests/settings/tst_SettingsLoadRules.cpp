#include "IniValues.h"
#include "SettingsRules.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A 1920 x 1080 pixel screen.
constexpr qint32 kScreenW = 28800;
constexpr qint32 kScreenH = 16200;

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
} // namespace

class TestSettingsLoadRules : public QObject {
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void checkBoxes_data();
    void checkBoxes();

private:
    QTemporaryDir dir_;
};

void TestSettingsLoadRules::geometry_data() {
    QTest::addColumn<QByteArray>("position"); // lines of [Position]; null: no file at all
    QTest::addColumn<qint32>("left");
    QTest::addColumn<qint32>("top");
    QTest::addColumn<qint32>("width");
    QTest::addColumn<qint32>("height");

    QTest::newRow("no file") << QByteArray() << 0 << 0 << 8895 << 5580;
    QTest::newRow("no keys") << QByteArray("") << 0 << 0 << 8895 << 5580;
    QTest::newRow("stored") << QByteArray("Left=150\r\nTop=300\r\nWidth=9000\r\nHeight=6000\r\n")
                            << 150 << 300 << 9000 << 6000;
    QTest::newRow("left -60") << QByteArray("Left=-60\r\nTop=45\r\n") << 0 << 45 << 8895 << 5580;
    QTest::newRow("top 12a") << QByteArray("Left=30\r\nTop=12a\r\n") << 30 << 0 << 8895 << 5580;
    QTest::newRow("width empty") << QByteArray("Width=\r\nHeight=6000\r\n") << 0 << 0 << 8895
                                 << 6000;
    QTest::newRow("decimal point") << QByteArray("Width=9000.5\r\n") << 0 << 0 << 8895 << 5580;
    QTest::newRow("full-width digits")
        << QByteArray("Left=\x82\x50\x82\x4F\r\n") << 0 << 0 << 8895 << 5580;

    QTest::newRow("oversized") << QByteArray("Width=40000\r\nHeight=16201\r\n") << 0 << 0
                               << kScreenW << kScreenH;
    QTest::newRow("equal to screen")
        << QByteArray("Width=28800\r\nHeight=16200\r\n") << 0 << 0 << kScreenW << kScreenH;
    QTest::newRow("beyond the screen's edge")
        << QByteArray("Left=90000\r\nTop=50000\r\n") << 90000 << 50000 << 8895 << 5580;
    QTest::newRow("int32 max") << QByteArray("Left=2147483647\r\n") << 2147483647 << 0 << 8895
                               << 5580;
    QTest::newRow("beyond int32") << QByteArray("Left=2147483648\r\nTop=99999999999999999999\r\n")
                                  << 0 << 0 << 8895 << 5580;

    QTest::newRow("leading zeros") << QByteArray("Left=00120\r\n") << 120 << 0 << 8895 << 5580;
}

void TestSettingsLoadRules::geometry() {
    QFETCH(QByteArray, position);
    QFETCH(qint32, left);
    QFETCH(qint32, top);
    QFETCH(qint32, width);
    QFETCH(qint32, height);

    const QString file = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".ini");
    if (!position.isNull())
        WriteBytes(file, "[Position]\r\n" + position);

    const WindowTwips window = ReadWindowTwips(file, kScreenW, kScreenH);
    QCOMPARE(window.left, left);
    QCOMPARE(window.top, top);
    QCOMPARE(window.width, width);
    QCOMPARE(window.height, height);
}

void TestSettingsLoadRules::checkBoxes_data() {
    QTest::addColumn<QByteArray>("stored"); // the value's bytes; null: key absent
    QTest::addColumn<bool>("classBox");     // "Suji", "AlhabetBig", "AlphabetMini"
    QTest::addColumn<bool>("freeTextBox");  // "AddChr", "DeleteChr"

    QTest::newRow("absent") << QByteArray() << true << false;
    QTest::newRow("empty") << QByteArray("") << true << false;
    QTest::newRow("1") << QByteArray("1") << true << true;
    QTest::newRow("0") << QByteArray("0") << false << false;
    QTest::newRow("2") << QByteArray("2") << true << false;
    QTest::newRow("word") << QByteArray("yes") << true << false;
    QTest::newRow("00") << QByteArray("00") << true << false;
    QTest::newRow("01") << QByteArray("01") << true << false;
    QTest::newRow("quoted 0") << QByteArray("\"0\"") << false << false;
    QTest::newRow("blanks around 1") << QByteArray("  1 ") << true << true;
}

void TestSettingsLoadRules::checkBoxes() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, classBox);
    QFETCH(bool, freeTextBox);

    using namespace SettingsNames;
    const QString file = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".cb.ini");
    QByteArray bytes = "[Add]\r\n";
    if (!stored.isNull()) {
        for (const char* key : {"Suji", "AlhabetBig", "AlphabetMini", "AddChr", "DeleteChr"})
            bytes += QByteArray(key) + '=' + stored + "\r\n";
    }
    WriteBytes(file, bytes);

    for (QLatin1StringView key : {kDigitsKey, kUpperKey, kLowerKey})
        QCOMPARE(ClassBoxCheckedFrom(ReadIniValue(kAdd, key, file)), classBox);
    for (QLatin1StringView key : {kExtraKey, kExcludeKey})
        QCOMPARE(FreeTextBoxCheckedFrom(ReadIniValue(kAdd, key, file)), freeTextBox);
}

QTEST_APPLESS_MAIN(TestSettingsLoadRules)
#include "tst_SettingsLoadRules.moc"
