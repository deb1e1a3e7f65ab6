#include "DesignGeometry.h"
#include "MainLayout.h"
#include "Twips.h"
#include "TwipsPrinting.h"

#include <QTest>

class TestTwips : public QObject {
    Q_OBJECT
private slots:
    void lengthToPixels_data();
    void lengthToPixels();
    void rectToPixels_data();
    void rectToPixels();
    void neighboursShareTheirEdge_data();
    void neighboursShareTheirEdge();
    void pixelsToTwipsAndBack();
    void minimumClientSizeInPixels();
};

void TestTwips::lengthToPixels_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("one pixel") << 15.0 << 1;
    QTest::newRow("just below half") << 7.4 << 0;
    QTest::newRow("half rounds up") << 7.5 << 1;
    QTest::newRow("one and a half") << 22.5 << 2;
    QTest::newRow("half twip of the progress bar") << 667.5 << 45;
    QTest::newRow("negative half rounds up too") << -7.5 << 0;
    QTest::newRow("negative") << -22.6 << -2;
    QTest::newRow("design width") << 8775.0 << 585;
}

void TestTwips::lengthToPixels() {
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips), pixels);
}

void TestTwips::rectToPixels_data() {
    QTest::addColumn<TwipsRect>("twips");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("whole pixels") << TwipsRect{120, 2040, 8535, 1335} << QRect(8, 136, 569, 89);
    // Edges at 44.5 and 61.5 px: both round up, the height stays 17.
    QTest::newRow("progress bar at design size")
        << TwipsRect{480, 667.5, 7815, 255} << QRect(32, 45, 521, 17);
    // Edges at 12.5 and 45.5 px.
    QTest::newRow("status label at design size")
        << TwipsRect{360, 187.5, 7815, 495} << QRect(24, 13, 521, 33);
    // A width of 7.5 twips alone would round to 1 px; here both edges round up.
    QTest::newRow("width follows the edges") << TwipsRect{7.5, 0, 7.5, 15} << QRect(1, 0, 0, 1);
}

void TestTwips::rectToPixels() {
    QFETCH(TwipsRect, twips);
    QFETCH(QRect, pixels);
    QCOMPARE(TwipsToPixels(twips), pixels);
}

void TestTwips::neighboursShareTheirEdge_data() {
    QTest::addColumn<double>("firstWidth");
    QTest::addColumn<double>("secondWidth");
    QTest::newRow("half pixels") << 667.5 << 7.5;
    QTest::newRow("odd twips") << 1001.0 << 37.0;
    QTest::newRow("quarter pixels") << 3.75 << 11.25;
}

void TestTwips::neighboursShareTheirEdge() {
    QFETCH(double, firstWidth);
    QFETCH(double, secondWidth);
    for (double start = -300; start < 300; start += 0.5) {
        const QRect first = TwipsToPixels(TwipsRect{start, start, firstWidth, firstWidth});
        const QRect second = TwipsToPixels(
            TwipsRect{start + firstWidth, start + firstWidth, secondWidth, secondWidth});
        QCOMPARE(first.x() + first.width(), second.x());
        QCOMPARE(first.y() + first.height(), second.y());
    }
}

void TestTwips::pixelsToTwipsAndBack() {
    const QRect pixels(-3, 7, 585, 250);
    const TwipsRect twips = PixelsToTwips(pixels);
    QCOMPARE(twips, (TwipsRect{-45, 105, 8775, 3750}));
    QCOMPARE(TwipsToPixels(twips), pixels);
    QCOMPARE(PixelsToTwips(QSize(273, 210)), (TwipsSize{4095, 3150}));
    QCOMPARE(TwipsToPixels(TwipsSize{4095, 3150}), QSize(273, 210));
    QCOMPARE(PixelsToTwips(QPoint(-1, 2)), (TwipsPoint{-15, 30}));
    QCOMPARE(TwipsToPixels(TwipsPoint{-15, 30}), QPoint(-1, 2));
}

void TestTwips::minimumClientSizeInPixels() {
    QCOMPARE(TwipsToPixels(MinimumClientSize()), QSize(585, 250));
}

QTEST_APPLESS_MAIN(TestTwips)
#include "test_twips.moc"
