#include "Cp932Codec.h"

#include <QTest>

class TestCp932Codec : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void refusesWhatTheCodePageLacks_data();
    void refusesWhatTheCodePageLacks();
};

void TestCp932Codec::roundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    // Bytes from the code page 932 table.
    QTest::newRow("ascii with backslash") << u"a\\b~"_qs << QByteArray("a\\b~");
    QTest::newRow("so, trail byte 5C") << u"ソ"_qs << QByteArray("\x83\x5C");
    QTest::newRow("hyo, trail byte 5C") << u"表"_qs << QByteArray("\x95\x5C");
    QTest::newRow("mixed") << u"ソ表\\x"_qs << QByteArray("\x83\x5C\x95\x5C\\x");
    QTest::newRow("half-width katakana") << u"ｱ"_qs << QByteArray("\xB1");
    QTest::newRow("wave dash") << u"～"_qs << QByteArray("\x81\x60");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCp932Codec::roundTrip() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const Cp932EncodeResult encoded = EncodeCp932(text);
    QVERIFY(encoded.bytes.has_value());
    QCOMPARE(*encoded.bytes, bytes);
    QCOMPARE(encoded.badIndex, -1);
    QCOMPARE(DecodeCp932(bytes), text);
}

void TestCp932Codec::refusesWhatTheCodePageLacks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("badIndex");
    QTest::addColumn<QString>("badCharacter");
    QTest::newRow("euro") << u"1€"_qs << qsizetype(1) << u"€"_qs;
    QTest::newRow("emoji after kana") << u"ソ😀表"_qs << qsizetype(1) << u"😀"_qs;
    QTest::newRow("emoji first of two") << u"😀€"_qs << qsizetype(0) << u"😀"_qs;
    // Long texts are searched chunk by chunk; a pair across a chunk's edge stays whole.
    QTest::newRow("far into a long text")
        << QString(9000, u'a') + u"€"_qs << qsizetype(9000) << u"€"_qs;
    QTest::newRow("pair across a chunk edge")
        << QString(4095, u'a') + u"😀"_qs << qsizetype(4095) << u"😀"_qs;
}

void TestCp932Codec::refusesWhatTheCodePageLacks() {
    QFETCH(QString, text);
    QFETCH(qsizetype, badIndex);
    QFETCH(QString, badCharacter);
    const Cp932EncodeResult encoded = EncodeCp932(text);
    QVERIFY(!encoded.bytes.has_value());
    QCOMPARE(encoded.badIndex, badIndex);
    QCOMPARE(encoded.badCharacter, badCharacter);
}

QTEST_APPLESS_MAIN(TestCp932Codec)
#include "tst_Cp932Codec.moc"
