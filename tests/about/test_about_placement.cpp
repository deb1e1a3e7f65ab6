#include "AboutPlacement.h"

#include <QTest>

class TestAboutPlacement : public QObject {
    Q_OBJECT
private slots:
    void centresOverMainWindow_data();
    void centresOverMainWindow();
};

void TestAboutPlacement::centresOverMainWindow_data() {
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<QSize>("aboutFrame");
    QTest::addColumn<QPoint>("topLeft");
    // 100 + 300 - 136.5 = 263.5 and 100 + 200 - 105 = 195.
    QTest::newRow("ordinary") << QRect(100, 100, 600, 400) << QSize(273, 210) << QPoint(264, 195);
    QTest::newRow("even sizes") << QRect(0, 0, 800, 600) << QSize(200, 100) << QPoint(300, 250);
    // A 1280 x 1024 screen: the dialog goes where the formula puts it, partly off-screen.
    QTest::newRow("near the right edge")
        << QRect(1200, 900, 800, 600) << QSize(273, 210) << QPoint(1464, 1095);
    QTest::newRow("beyond the top left")
        << QRect(-500, -300, 400, 300) << QSize(273, 210) << QPoint(-436, -255);
    QTest::newRow("maximised") << QRect(0, 0, 1280, 1024) << QSize(273, 210) << QPoint(504, 407);
    // 10 + 50 - 136.5 = -76.5 rounds up to -76.
    QTest::newRow("main smaller than dialog")
        << QRect(10, 10, 100, 50) << QSize(273, 210) << QPoint(-76, -70);
}

void TestAboutPlacement::centresOverMainWindow() {
    QFETCH(QRect, mainFrame);
    QFETCH(QSize, aboutFrame);
    QFETCH(QPoint, topLeft);
    QCOMPARE(CenteredTopLeft(mainFrame, aboutFrame), topLeft);
}

QTEST_APPLESS_MAIN(TestAboutPlacement)
#include "test_about_placement.moc"
