#include "Cp932Codec.h"

#include <QRandomGenerator>
#include <QTest>

#include <iconv.h>

class TestCp932Codec : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void refusesWhatTheCodePageLacks_data();
    void refusesWhatTheCodePageLacks();
    void everySingleByte();
    void everyDoubleByte();
    void losslessKeepsEveryByte_data();
    void losslessKeepsEveryByte();
    void losslessUtf8();
};

namespace {
// glibc's CP932 table, an implementation independent of ours, decodes one double byte.
QString DecodeWithIconv(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == iconv_t(-1))
        return {};
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char16_t out[8];
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == size_t(-1) || inLeft != 0)
        return {};
    return QString::fromUtf16(out, qsizetype((sizeof out - outLeft) / 2));
}

// A text given as UTF-16 code units, so that lone surrogates can be written down.
QString Units(std::initializer_list<char16_t> units) {
    return QString::fromUtf16(std::data(units), qsizetype(units.size()));
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes += char(v);
    return bytes;
}
} // namespace

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
    // Single bytes outside ASCII and katakana, as the original platform maps them.
    QTest::newRow("0x80 0xA0 0xFD-0xFF")
        << u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"_qs << QByteArray("\x80\xA0\xFD\xFE\xFF");
    // One character, several double bytes: the JIS row wins, then NEC row 13, then IBM's.
    QTest::newRow("full-width not sign") << u"￢"_qs << QByteArray("\x81\xCA");
    QTest::newRow("roman one") << u"Ⅰ"_qs << QByteArray("\x87\x54");
    QTest::newRow("small roman one") << u"ⅰ"_qs << QByteArray("\xFA\x40");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCp932Codec::roundTrip() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const Cp932EncodeResult encoded = EncodeCp932(text);
    QVERIFY(encoded.bytes.has_value());
    QCOMPARE(*encoded.bytes, bytes);
    QCOMPARE(encoded.badIndex, -1);
    QCOMPARE(DecodeCp932Lossless(bytes), text);
}

void TestCp932Codec::refusesWhatTheCodePageLacks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("badIndex");
    QTest::addColumn<QString>("badCharacter");
    QTest::newRow("euro") << u"1€"_qs << qsizetype(1) << u"€"_qs;
    QTest::newRow("emoji after kana") << u"ソ😀表"_qs << qsizetype(1) << u"😀"_qs;
    QTest::newRow("emoji first of two") << u"😀€"_qs << qsizetype(0) << u"😀"_qs;
    // The first refused character is found however far into the text, and a surrogate pair
    // at an odd position is named whole.
    QTest::newRow("far into a long text")
        << QString(9000, u'a') + u"€"_qs << qsizetype(9000) << u"€"_qs;
    QTest::newRow("pair at an odd position")
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

void TestCp932Codec::everySingleByte() {
    for (int b = 0; b < 0x80; ++b) {
        const QByteArray byte(1, char(b));
        QCOMPARE(DecodeCp932Lossless(byte), QString(QChar(b)));
        QCOMPARE(EncodeCp932(QString(QChar(b))).bytes.value_or("none"), byte);
    }
    for (int b = 0xA1; b <= 0xDF; ++b) {
        const QByteArray byte(1, char(b));
        QCOMPARE(EncodeCp932(DecodeCp932Lossless(byte)).bytes.value_or("none"), byte);
    }
}

void TestCp932Codec::everyDoubleByte() {
    int valid = 0;
    int moved = 0; // double bytes that share their character with an earlier row
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray pair = Bytes({lead, trail});
            const QString expected = DecodeWithIconv(pair);
            const QString decoded = DecodeCp932Lossless(pair);
            if (expected.size() != 1) {
                QVERIFY2(decoded.size() == 2, pair.toHex().constData()); // never one character
                continue;
            }
            ++valid;
            QCOMPARE(decoded, expected);
            const QByteArray encoded = EncodeCp932(decoded).bytes.value_or("none");
            QCOMPARE(DecodeCp932Lossless(encoded), expected);
            if (encoded != pair) {
                ++moved;
                QVERIFY2(lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA,
                         pair.toHex().constData());
            }
        }
    }
    // The JIS set, NEC's and IBM's extensions and the 1,880 user-defined characters.
    QCOMPARE(valid, 9604);
    QVERIFY(moved > 0);
}

void TestCp932Codec::losslessKeepsEveryByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("lone lead byte at the end") << QByteArray("a\x81") << Units({u'a', 0xDC81});
    QTest::newRow("lead byte before a blank") << QByteArray("\xE3 ") << Units({0xDCE3, u' '});
    QTest::newRow("lead byte before 0x7F") << QByteArray("\x81\x7F") << Units({0xDC81, 0x7F});
    QTest::newRow("unassigned pair") << QByteArray("\x85\x40") << Units({0xDC85, u'@'});
    QTest::newRow("utf-8 read as code page 932")
        << QByteArray("\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86") << QString();
}

void TestCp932Codec::losslessKeepsEveryByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString decoded = DecodeCp932Lossless(bytes);
    if (!text.isNull())
        QCOMPARE(decoded, text);
    QCOMPARE(EncodeCp932Lossless(decoded).value_or("none"), bytes);
    // Every two-byte sequence gives a text that comes back the same (the bytes themselves may
    // move to the preferred one of several double bytes for a character).
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const QString once = DecodeCp932Lossless(Bytes({a, b}));
            const QString again = DecodeCp932Lossless(EncodeCp932Lossless(once).value_or("none"));
            if (again != once)
                QFAIL(Bytes({a, b}).toHex().constData());
        }
    }
    QVERIFY(!EncodeCp932Lossless(u"😀"_qs));
}

void TestCp932Codec::losslessUtf8() {
    QCOMPARE(DecodeUtf8Lossless("\xE3\x81\x82\xFF\xC0\xAF"),
             Units({u'あ', 0xDCFF, 0xDCC0, 0xDCAF}));
    QCOMPARE(DecodeUtf8Lossless("\xED\xA0\x80"), Units({0xDCED, 0xDCA0, 0xDC80})); // no surrogates
    QCOMPARE(DecodeUtf8Lossless("\xF0\x9F\x98\x80\xEF\xBF\xBD"), u"😀\uFFFD"_qs);
    // 💻's low half (DCBB) lies among the carried bytes' range, but it belongs to its pair.
    QCOMPARE(EncodeUtf8Lossless(u"💻"_qs + QChar(0xDCFF)), QByteArray("\xF0\x9F\x92\xBB\xFF"));
    QRandomGenerator random(12);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(random.bounded(12), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        const QString text = DecodeUtf8Lossless(bytes);
        QCOMPARE(EncodeUtf8Lossless(text), bytes);
    }
}

QTEST_APPLESS_MAIN(TestCp932Codec)
#include "tst_Cp932Codec.moc"
