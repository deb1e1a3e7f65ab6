#include "DesignGeometry.h"
#include "MainLayout.h"
#include "TwipsPrinting.h"

#include <QTest>

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void placesControls_data();
    void placesControls();
    void minimumClientSize();
    void correctsOuterWidth_data();
    void correctsOuterWidth();
    void correctsOuterHeight_data();
    void correctsOuterHeight();
    void designGeometry_data();
    void designGeometry();
};

void TestMainLayout::placesControls_data() {
    QTest::addColumn<double>("W");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("addWidth");
    QTest::addColumn<double>("countLeft");
    QTest::addColumn<double>("textWidth");
    QTest::addColumn<double>("progressWidth");
    QTest::addColumn<double>("progressHeight");
    QTest::addColumn<double>("barTop");
    QTest::addColumn<double>("barWidth");
    QTest::addColumn<double>("statusTop");
    QTest::addColumn<double>("countLabelLeft");
    QTest::addColumn<double>("kanryoLeft");
    QTest::addColumn<double>("labelsTop");

    QTest::newRow("design size 8775 x 3750")
        << 8775.0 << 3750.0 << 6240.0 << 6480.0 << 1740.0 << 8535.0 << 1335.0 << 667.5 << 7815.0
        << 187.5 << 8160.0 << 7080.0 << 3480.0;
    QTest::newRow("12000 x 6000") << 12000.0 << 6000.0 << 9465.0 << 9705.0 << 4965.0 << 11760.0
                                  << 3585.0 << 1792.5 << 11040.0 << 1312.5 << 11385.0 << 10305.0
                                  << 5730.0;
    QTest::newRow("dragged to 5000 x 2000 lays out as the minimum")
        << 5000.0 << 2000.0 << 6240.0 << 6480.0 << 1740.0 << 8535.0 << 1335.0 << 667.5 << 7815.0
        << 187.5 << 8160.0 << 7080.0 << 3480.0;
    QTest::newRow("only the width too small")
        << 5000.0 << 6000.0 << 6240.0 << 6480.0 << 1740.0 << 8535.0 << 3585.0 << 1792.5 << 7815.0
        << 1312.5 << 8160.0 << 7080.0 << 5730.0;
    QTest::newRow("only the height too small")
        << 12000.0 << 2000.0 << 9465.0 << 9705.0 << 4965.0 << 11760.0 << 1335.0 << 667.5 << 11040.0
        << 187.5 << 11385.0 << 10305.0 << 3480.0;
    QTest::newRow("one twip above the minimum")
        << 8776.0 << 3751.0 << 6241.0 << 6481.0 << 1741.0 << 8536.0 << 1336.0 << 668.0 << 7816.0
        << 188.0 << 8161.0 << 7081.0 << 3481.0;
}

void TestMainLayout::placesControls() {
    QFETCH(double, W);
    QFETCH(double, H);
    const MainLayout layout = ComputeMainLayout(W, H);

    QFETCH(double, addWidth);
    QCOMPARE(layout.charactersFrame, (TwipsRect{120, 600, addWidth, 1335}));
    QFETCH(double, countLeft);
    QCOMPARE(layout.countsFrame, (TwipsRect{countLeft, 600, 2175, 1335}));
    QFETCH(double, textWidth);
    QCOMPARE(layout.extraText, (TwipsRect{4320, 240, textWidth, 270}));
    QCOMPARE(layout.excludeText, (TwipsRect{4320, 600, textWidth, 270}));

    QFETCH(double, progressWidth);
    QFETCH(double, progressHeight);
    const TwipsRect progress{120, 2040, progressWidth, progressHeight};
    QCOMPARE(layout.progressFrame, progress);
    QCOMPARE(layout.resultList, progress);
    QFETCH(double, barTop);
    QFETCH(double, barWidth);
    QCOMPARE(layout.progressBar, (TwipsRect{480, barTop, barWidth, 255}));
    QFETCH(double, statusTop);
    QCOMPARE(layout.statusLabel, (TwipsRect{360, statusTop, barWidth, 495}));

    QFETCH(double, countLabelLeft);
    QFETCH(double, kanryoLeft);
    QFETCH(double, labelsTop);
    QCOMPARE(layout.doneCount, (TwipsRect{countLabelLeft, labelsTop, 495, 255}));
    QCOMPARE(layout.doneCaption, (TwipsRect{kanryoLeft, labelsTop, 975, 255}));
}

void TestMainLayout::minimumClientSize() {
    QCOMPARE(MinimumClientWidth(), 8775.0);
    QCOMPARE(MinimumClientHeight(), 3750.0);
    QCOMPARE(MinimumClientSize(), kDesignClientSize);
}

void TestMainLayout::correctsOuterWidth_data() {
    QTest::addColumn<double>("client");
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("corrected");
    QTest::newRow("far too small") << 5000.0 << 5240.0 << 9015.0;
    QTest::newRow("one twip too small") << 8774.0 << 8774.0 << 8775.0;
    QTest::newRow("exactly the minimum") << 8775.0 << 9015.0 << 9015.0;
    QTest::newRow("wider") << 12000.0 << 12240.0 << 12240.0;
}

void TestMainLayout::correctsOuterWidth() {
    QFETCH(double, client);
    QFETCH(double, outer);
    QFETCH(double, corrected);
    QCOMPARE(CorrectedOuterWidth(client, outer), corrected);
}

void TestMainLayout::correctsOuterHeight_data() {
    QTest::addColumn<double>("client");
    QTest::addColumn<double>("outer");
    QTest::addColumn<double>("corrected");
    QTest::newRow("far too small") << 2000.0 << 2900.0 << 4650.0;
    QTest::newRow("one twip too small") << 3749.0 << 4649.0 << 4650.0;
    QTest::newRow("exactly the minimum") << 3750.0 << 4650.0 << 4650.0;
    QTest::newRow("taller") << 6000.0 << 6900.0 << 6900.0;
}

void TestMainLayout::correctsOuterHeight() {
    QFETCH(double, client);
    QFETCH(double, outer);
    QFETCH(double, corrected);
    QCOMPARE(CorrectedOuterHeight(client, outer), corrected);
}

void TestMainLayout::designGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("toolbar") << "toolBar" << true << 0.0 << 0.0 << 8775.0 << 360.0;
    QTest::newRow("in a frame") << "lengthBox" << true << 1080.0 << 240.0 << 855.0 << 270.0;
    QTest::newRow("list") << "resultList" << true << 120.0 << 2160.0 << 8535.0 << 1215.0;
    QTest::newRow("last") << "doneCount" << true << 8160.0 << 3480.0 << 495.0 << 255.0;
    QTest::newRow("line is drawn, not placed") << "topLine" << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("names are exact") << "lvwpw" << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("empty") << "" << false << 0.0 << 0.0 << 0.0 << 0.0;
}

void TestMainLayout::designGeometry() {
    QFETCH(QString, name);
    QFETCH(bool, known);
    const QByteArray utf8 = name.toUtf8();
    const auto rect = DesignGeometry(std::string_view(utf8.constData(), utf8.size()));
    QCOMPARE(rect.has_value(), known);
    if (!known)
        return;
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QCOMPARE(*rect, (TwipsRect{left, top, width, height}));
}

QTEST_APPLESS_MAIN(TestMainLayout)
#include "test_main_layout.moc"
