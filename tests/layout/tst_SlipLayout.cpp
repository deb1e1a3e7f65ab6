#include "SlipLayout.h"

#include <QTest>

namespace {

// A4 and Letter less 10 mm margins, in twips.
constexpr TwipsSize kA4{(210 - 20) * 1440 / 25.4, (297 - 20) * 1440 / 25.4};
constexpr TwipsSize kLetter{8.5 * 1440 - 2 * 567, 11 * 1440 - 2 * 567};

bool Inside(const TwipsRect& inner, const TwipsRect& outer) {
    constexpr double e = 1e-6;
    return inner.left >= outer.left - e && inner.top >= outer.top - e &&
           inner.left + inner.width <= outer.left + outer.width + e &&
           inner.top + inner.height <= outer.top + outer.height + e;
}

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
    constexpr double e = 1e-6;
    return a.width > 0 && b.width > 0 && a.height > 0 && b.height > 0 &&
           a.left + e < b.left + b.width && b.left + e < a.left + a.width &&
           a.top + e < b.top + b.height && b.top + e < a.top + a.height;
}

CellWidths Cells(int count, int width = 1) {
    return CellWidths(std::size_t(count), width);
}

} // namespace

class SlipLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void laysOutPage_data();
    void laysOutPage();
    void flowsCells_data();
    void flowsCells();
};

void SlipLayoutTest::laysOutPage_data() {
    QTest::addColumn<TwipsSize>("printable");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("accountCells");
    QTest::addColumn<int>("passwordLength");
    QTest::addColumn<bool>("groupsAndKinds");
    QTest::addColumn<double>("passwordPoints"); // 0: shrunk below the preferred 20
    QTest::addColumn<int>("minLines");

    QTest::newRow("A4, 10, 16 characters") << kA4 << 10 << 5 << 12 << 16 << false << 20.0 << 1;
    QTest::newRow("A4, 8, groups and kinds") << kA4 << 8 << 4 << 12 << 16 << true << 20.0 << 1;
    QTest::newRow("A4, 12, groups and kinds") << kA4 << 12 << 6 << 12 << 16 << true << 20.0 << 1;
    QTest::newRow("Letter, 8") << kLetter << 8 << 4 << 12 << 16 << false << 20.0 << 1;
    QTest::newRow("Letter, 10, 40 characters shrink")
        << kLetter << 10 << 5 << 12 << 40 << false << 0.0 << 1;
    QTest::newRow("Letter, 12, 200 characters wrap")
        << kLetter << 12 << 6 << 12 << 200 << true << 0.0 << 2;
    QTest::newRow("A4, 12, a 120-cell name wraps")
        << kA4 << 12 << 6 << 120 << 16 << true << 0.0 << 1;
    QTest::newRow("A4, 10, 99999 characters") << kA4 << 10 << 5 << 12 << 99999 << true << 0.0 << 50;
}

void SlipLayoutTest::laysOutPage() {
    QFETCH(TwipsSize, printable);
    QFETCH(int, perPage);
    QFETCH(int, rows);
    QFETCH(int, accountCells);
    QFETCH(int, passwordLength);
    QFETCH(bool, groupsAndKinds);
    QFETCH(double, passwordPoints);
    QFETCH(int, minLines);

    const SlipPageLayout page = ComputeSlipPage(printable, perPage);
    const TwipsRect area{0, 0, printable.width, printable.height};
    QCOMPARE(int(page.slips.size()), perPage);
    QCOMPARE(int(page.cutLines.size()), 3 + rows + 1);
    QVERIFY(Inside(page.pageNumber, area));
    for (const auto& line : page.cutLines)
        QVERIFY(Inside({line.from.x, line.from.y, line.to.x - line.from.x, line.to.y - line.from.y},
                       area));

    SlipMeasures m{/*title*/ 10.5, /*date*/ 7.5,        /*label*/ 5,
                   /*note*/ 23,    /*cell*/ 0.5,
                   /*kind*/ 1,     Cells(accountCells), Cells(passwordLength),
                   groupsAndKinds, groupsAndKinds};
    for (std::size_t i = 0; i < page.slips.size(); ++i) {
        const SlipLayout s = ComputeSlip(page.slips[i], m);
        QVERIFY(Inside(s.slip, area));
        QVERIFY(Inside(s.inner, s.slip));
        if (i > 0)
            QVERIFY(!Overlap(s.slip, page.slips[i - 1]));
        const std::vector<TwipsRect> parts = {
            s.title.rect,         s.date.rect,     s.accountLabel.rect, s.account.rect,
            s.passwordLabel.rect, s.password.rect, s.note.rect};
        for (std::size_t a = 0; a < parts.size(); ++a) {
            QVERIFY2(Inside(parts[a], s.inner), qPrintable(QString::number(a)));
            for (std::size_t b = a + 1; b < parts.size(); ++b)
                QVERIFY2(!Overlap(parts[a], parts[b]),
                         qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
        }
        if (passwordPoints > 0) {
            QCOMPARE(s.password.points, passwordPoints);
            QCOMPARE(s.password.lineCount, 1);
        } else {
            QVERIFY(s.password.points < 20);
        }
        QVERIFY(s.password.lineCount >= minLines);
        QVERIFY(s.account.lineCount >= (accountCells > 100 ? 2 : 1));
        if (s.account.lineCount == 1) // never in groups
            QCOMPARE(s.account.cells.back(), accountCells - 1);
        QVERIFY(s.password.lineCount * s.password.lineHeight <= s.password.rect.height + 1e-6);
    }
}

void SlipLayoutTest::flowsCells_data() {
    QTest::addColumn<CellWidths>("widths");
    QTest::addColumn<int>("perLine");
    QTest::addColumn<int>("group");
    QTest::addColumn<std::vector<int>>("lines");
    QTest::addColumn<std::vector<int>>("cells");

    QTest::newRow("one line") << Cells(3) << 5 << 0 << std::vector{0, 0, 0} << std::vector{0, 1, 2};
    QTest::newRow("wraps") << Cells(3) << 2 << 0 << std::vector{0, 0, 1} << std::vector{0, 1, 0};
    QTest::newRow("wide characters")
        << CellWidths{2, 1, 2} << 3 << 0 << std::vector{0, 0, 1} << std::vector{0, 2, 0};
    QTest::newRow("gap after four")
        << Cells(6) << 9 << 4 << std::vector{0, 0, 0, 0, 0, 0} << std::vector{0, 1, 2, 3, 5, 6};
    QTest::newRow("a group is not split")
        << Cells(6) << 6 << 4 << std::vector{0, 0, 0, 0, 1, 1} << std::vector{0, 1, 2, 3, 0, 1};
    QTest::newRow("a group wider than a line")
        << Cells(5) << 3 << 4 << std::vector{0, 0, 0, 1, 1} << std::vector{0, 1, 2, 0, 2};
}

void SlipLayoutTest::flowsCells() {
    QFETCH(CellWidths, widths);
    QFETCH(int, perLine);
    QFETCH(int, group);
    const CellFlow flow = FlowCells(widths, perLine, group);
    QTEST(flow.lines, "lines");
    QTEST(flow.cells, "cells");
}

QTEST_APPLESS_MAIN(SlipLayoutTest)
#include "tst_SlipLayout.moc"
