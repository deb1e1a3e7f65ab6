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
    QTest::addColumn<QPoint>("topLeft");
    const QRect screen(0, 0, 1920, 1080);
    const QSize help(820, 600);
    QTest::newRow("room at the right")
        << QRect(100, 50, 600, 300) << help << screen << QPoint(700, 50);
    QTest::newRow("exactly enough at the right")
        << QRect(0, 50, 1100, 300) << help << screen << QPoint(1100, 50);
    QTest::newRow("only the left has room")
        << QRect(1000, 80, 600, 300) << help << screen << QPoint(180, 80);
    QTest::newRow("neither, more room right")
        << QRect(300, 80, 1000, 300) << help << screen << QPoint(1100, 80);
    QTest::newRow("neither, more room left")
        << QRect(700, 80, 1000, 300) << help << screen << QPoint(0, 80);
    QTest::newRow("low main window: help kept on the screen")
        << QRect(100, 900, 600, 150) << help << screen << QPoint(700, 480);
    QTest::newRow("main window above the screen")
        << QRect(100, -40, 600, 300) << help << screen << QPoint(700, 0);
    QTest::newRow("second screen at the right")
        << QRect(2000, 100, 600, 300) << help << QRect(1920, 0, 1920, 1080) << QPoint(2600, 100);
    QTest::newRow("help wider than the screen")
        << QRect(100, 50, 600, 300) << QSize(2500, 600) << screen << QPoint(0, 50);
}

void HelpPlacementTest::beside() {
    QFETCH(QRect, mainFrame);
    QFETCH(QSize, helpSize);
    QFETCH(QRect, screen);
    QFETCH(QPoint, topLeft);
    QCOMPARE(HelpTopLeftBeside(mainFrame, helpSize, screen), topLeft);
}

QTEST_GUILESS_MAIN(HelpPlacementTest)
#include "tst_HelpPlacement.moc"
