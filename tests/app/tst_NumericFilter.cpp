#include "NumericFilter.h"

#include <QTest>

class NumericFilterTest : public QObject {
    Q_OBJECT

private slots:
    void keyFilter_data();
    void keyFilter();
    void textFilter_data();
    void textFilter();
};

void NumericFilterTest::keyFilter_data() {
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<bool>("allowed");

    const std::pair<const char*, int> allowed[] = {{"backspace", 8},
                                                   {"copy", 3},
                                                   {"paste", 22},
                                                   {"cut", 24},
                                                   {"double-byte (negative)", -32000},
                                                   {"0", 48},
                                                   {"7", 55},
                                                   {"9", 57}};
    const std::pair<const char*, int> refused[] = {
        {"blank", 32}, {"minus", 45}, {"point", 46},           {"slash", 47},
        {"colon", 58}, {"a", 'a'},    {"full-width 5", 0xFF15}};
    for (const auto& [name, code] : allowed)
        QTest::newRow(name) << code << true;
    for (const auto& [name, code] : refused)
        QTest::newRow(name) << code << false;
}

void NumericFilterTest::keyFilter() {
    QFETCH(int, keyCode);
    QFETCH(bool, allowed);
    QCOMPARE(NumericKeyAllowed(keyCode), allowed);
}

void NumericFilterTest::textFilter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("afterOnePass");
    QTest::addColumn<QString>("clean");
    QTest::addColumn<int>("beeps");

    const auto row = [](const char* name, const QString& text, const QString& afterOnePass,
                        const QString& clean, int beeps) {
        QTest::newRow(name) << text << afterOnePass << clean << beeps;
    };
    row("minus becomes first", "a-1", "-1", "-1", 1);
    row("inner minus signs go", "1-2-", "12-", "12", 2);
    row("letter in the middle", "12a3", "123", "123", 1);
    row("full-width digit", QStringLiteral("５"), "", "", 1);
    row("leading minus stays", "-5", "-5", "-5", 0);
    row("point stays", "1.5", "1.5", "1.5", 0);
    row("empty", "", "", "", 0);
    row("control character stays", "\t7", "\t7", "\t7", 0);
    row("blank and slash", " 7/", "7/", "7", 2);
    row("plus before minus", "+-1", "-1", "-1", 1);
    row("double minus", "--", "-", "-", 1);
}

void NumericFilterTest::textFilter() {
    QFETCH(QString, text);
    QFETCH(QString, afterOnePass);
    QFETCH(QString, clean);
    QFETCH(int, beeps);

    QCOMPARE(FilterNumericTextOnce(text), afterOnePass);
    QCOMPARE(FirstDisallowedNumericIndex(text) < 0, beeps == 0);
    // The box's change handler filters again after each removal, until the text is clean.
    QString filtered = text;
    int removed = 0;
    for (QString next; (next = FilterNumericTextOnce(filtered)) != filtered; ++removed)
        filtered = next;
    QCOMPARE(filtered, clean);
    QCOMPARE(removed, beeps);
}

QTEST_APPLESS_MAIN(NumericFilterTest)
#include "tst_NumericFilter.moc"
