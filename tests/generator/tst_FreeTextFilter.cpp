#include "FreeTextFilter.h"

#include <QTest>

class FreeTextFilterTest : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
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
    QTest::newRow("space and C1 stay") << QString(" ") + QChar(0x80) + QChar(0xA0) << 0
                                       << QString(" ") + QChar(0x80) + QChar(0xA0) << 0;
    QTest::newRow("emoji pair stays whole") << "a" + emoji + "\n" << 4 << "a" + emoji << 3;
    QTest::newRow("lone high surrogate") << QString("a") + high + "b" << 3 << "ab" << 2;
    QTest::newRow("lone low surrogate first") << QString(low) + "ab" << 0 << "ab" << 0;
    QTest::newRow("reversed pair is two halves") << QString(low) + high << 2 << "" << 0;
    QTest::newRow("high at the end") << "ab" + emoji + high << 5 << "ab" + emoji << 4;
    QTest::newRow("only controls") << "\n\n\t" << 3 << "" << 0;
}

void FreeTextFilterTest::filters() {
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, clean);
    QFETCH(int, cleanCursor);
    const FilteredFreeText result = FilterFreeText(text, cursor);
    QCOMPARE(result.text, clean);
    QCOMPARE(result.cursor, cleanCursor);
}

QTEST_APPLESS_MAIN(FreeTextFilterTest)
#include "tst_FreeTextFilter.moc"
