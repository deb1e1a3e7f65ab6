#include "HelpPlacement.h"

#include <QTest>

class HelpPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void beside_data();
    void beside();
};

void HelpPlacementTest::beside_data() {
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<QSize>("helpSize");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("placed");
    const QRect screen(0, 0, 1920, 1080);
    const QSize help(820, 600);
    QTest::newRow("room at the right")
        << QRect(100, 50, 600, 300) << help << screen << QRect(700, 50, 820, 600);
    QTest::newRow("exactly enough at the right")
        << QRect(0, 50, 1100, 300) << help << screen << QRect(1100, 50, 820, 600);
    QTest::newRow("only the left has room")
        << QRect(1000, 80, 600, 300) << help << screen << QRect(180, 80, 820, 600);
    QTest::newRow("neither, narrowed to the right")
        << QRect(300, 80, 1000, 300) << help << screen << QRect(1300, 80, 620, 600);
    QTest::newRow("neither, narrowed to the left")
        << QRect(700, 80, 1000, 300) << help << screen << QRect(0, 80, 700, 600);
    QTest::newRow("too little room either side: overlap at the right")
        << QRect(100, 80, 1400, 300) << help << screen << QRect(1100, 80, 820, 600);
    QTest::newRow("too little room either side: overlap at the left")
        << QRect(450, 80, 1400, 300) << help << screen << QRect(0, 80, 820, 600);
    QTest::newRow("low main window: help kept on the screen")
        << QRect(100, 900, 600, 150) << help << screen << QRect(700, 480, 820, 600);
    QTest::newRow("main window above the screen")
        << QRect(100, -40, 600, 300) << help << screen << QRect(700, 0, 820, 600);
    QTest::newRow("second screen at the right")
        << QRect(2000, 100, 600, 300) << help << QRect(1920, 0, 1920, 1080)
        << QRect(2600, 100, 820, 600);
    QTest::newRow("help wider than the screen")
        << QRect(100, 50, 600, 300) << QSize(2500, 600) << screen << QRect(700, 50, 1220, 600);
    QTest::newRow("help larger than a screen at twice the scale")
        << QRect(0, 0, 600, 300) << help << QRect(0, 0, 640, 480) << QRect(0, 0, 640, 480);
}

void HelpPlacementTest::beside() {
    QFETCH(QRect, mainFrame);
    QFETCH(QSize, helpSize);
    QFETCH(QRect, screen);
    QFETCH(QRect, placed);
    QCOMPARE(HelpFrameBeside(mainFrame, helpSize, screen, 500), placed);
}

QTEST_GUILESS_MAIN(HelpPlacementTest)
#include "tst_HelpPlacement.moc"
