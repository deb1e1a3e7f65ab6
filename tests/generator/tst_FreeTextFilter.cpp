#include "FreeTextFilter.h"

#include <QTest>

class FreeTextFilterTest : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void cutToLimit();
};

void FreeTextFilterTest::filters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("clean");
    QTest::addColumn<int>("cleanCursor");

    const QChar high(0xD83D);
    const QChar low(0xDE00);
    const QString emoji = QString(high) + low;
    QTest::newRow("clean text untouched") << "abcソ 記号!" << 3 << "abcソ 記号!" << 3;
    QTest::newRow("line feed and carriage return") << "ab\r\ncd" << 6 << "abcd" << 4;
    QTest::newRow("tab before the cursor, dropped after") << "a\tb\tc" << 3 << "abc" << 2;
    QTest::newRow("every C0 and DEL")
        << QString("x") + QChar(0) + QChar(0x1F) + QChar(0x7F) + "y" << 5 << "xy" << 2;
    QTest::newRow("space and no-break space stay")
        << QString(" ") + QChar(0xA0) << 0 << QString(" ") + QChar(0xA0) << 0;
    QTest::newRow("C1: next line and terminal escape")
        << QString("a") + QChar(0x9B) + QChar(0x85) + "b" + QChar(0x80) + QChar(0x9F) << 6 << "ab"
        << 2;
    QTest::newRow("line and paragraph separators")
        << QString("a") + QChar(0x2028) + "b" + QChar(0x2029) << 2 << "ab" << 1;
    QTest::newRow("soft hyphen, zero-width space, word joiner, byte-order mark")
        << QString("a") + QChar(0xAD) + "b" + QChar(0x200B) + "c" + QChar(0x2060) + QChar(0xFEFF)
        << 7 << "abc" << 3;
    QTest::newRow("joiners between letters join nothing")
        << QString("a") + QChar(0x200D) + "b" + QChar(0x200C) + "c" << 5 << "abc" << 3;
    QTest::newRow("every bidirectional control")
        << QString("a") + QChar(0x202E) + QChar(0x202A) + QChar(0x202D) + QChar(0x200E) +
               QChar(0x200F) + QChar(0x2066) + QChar(0x2069) + QChar(0x061C) + "b"
        << 10 << "ab" << 2;
    const QString technologist = u"\U0001F469\u200D\U0001F4BB"_qs;
    QTest::newRow("joiner inside an emoji sequence stays")
        << "x" + technologist + "y" << 6 << "x" + technologist + "y" << 6;
    QTest::newRow("joiner after the last emoji goes")
        << emoji + QChar(0x200D) + "a" << 4 << emoji + "a" << 3;
    QTest::newRow("joiner before an emoji goes") << QChar(0x200D) + emoji << 3 << emoji << 2;
    QTest::newRow("bidirectional control inside an emoji sequence goes")
        << u"\U0001F469\u200E\u200D\U0001F4BB"_qs << 0 << technologist << 0;
    QTest::newRow("controls before an emoji sequence")
        << u"abc\U0001F600\u009B\u0085\u202E\U0001F469\u200D\U0001F4BB"_qs << 13
        << u"abc\U0001F600\U0001F469\u200D\U0001F4BB"_qs << 10;
    const QString england = u"\U0001F3F4\U000E0067\U000E0062\U000E0065\U000E006E\U000E0067"
                            u"\U000E007F"_qs;
    QTest::newRow("flag with its tags stays") << england + "a" << 15 << england + "a" << 15;
    QTest::newRow("tags without a flag's end go") << u"a\U000E0041\U000E0042b"_qs << 6 << "ab" << 2;
    QTest::newRow("format character beyond the first plane")
        << u"a\U0001BCA0b\U000E0001"_qs << 3 << "ab" << 1;
    QTest::newRow("emoji pair stays whole") << "a" + emoji + "\n" << 4 << "a" + emoji << 3;
    QTest::newRow("lone high surrogate") << QString("a") + high + "b" << 3 << "ab" << 2;
    QTest::newRow("lone low surrogate first") << QString(low) + "ab" << 0 << "ab" << 0;
    QTest::newRow("reversed pair is two halves") << QString(low) + high << 2 << "" << 0;
    QTest::newRow("high at the end") << "ab" + emoji + high << 5 << "ab" + emoji << 4;
    QTest::newRow("only controls") << "\n\n\t" << 3 << "" << 0;
    QTest::newRow("combining marks with no base")
        << u"\u0301\u0302ab\u0301"_qs << 5 << u"ab\u0301"_qs << 3;
    QTest::newRow("half a flag, after a whole one") << u"🇯🇵🇫a"_qs << 7 << u"🇯🇵a"_qs << 5;
    QTest::newRow("noncharacters go, private use stays")
        << u"a\uFDD0\uFDEF\uFFFE\uFFFF\U0001FFFE\U0010FFFF\uE000\U000F0000"_qs << 0
        << u"a\uE000\U000F0000"_qs << 0;
}

void FreeTextFilterTest::filters() {
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, clean);
    QFETCH(int, cleanCursor);
    const FilteredFreeText result = FilterFreeText(text, cursor);
    QCOMPARE(result.text, clean);
    QCOMPARE(result.cursor, cleanCursor);
    // Every code point dropped is named, once.
    QCOMPARE(result.dropped.size(), text.toUcs4().size() - clean.toUcs4().size());
}

void FreeTextFilterTest::cutToLimit() {
    QCOMPARE(CutToFreeTextLimit(u"abc"_qs, 3), u"abc"_qs);
    QCOMPARE(CutToFreeTextLimit(u"abcd"_qs, 3), u"abc"_qs);
    QCOMPARE(CutToFreeTextLimit(u"ab\U0001F600"_qs, 3), u"ab"_qs); // the pair stays whole
}

QTEST_APPLESS_MAIN(FreeTextFilterTest)
#include "tst_FreeTextFilter.moc"
