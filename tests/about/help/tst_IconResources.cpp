#include <QIcon>
#include <QImage>
#include <QTest>

// The toolbar images and the program icon are compiled in and read back as images.
class IconResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void loadsAtItsSize_data();
    void loadsAtItsSize();
    void toolbarImagesDrawnFor1_5_data();
    void toolbarImagesDrawnFor1_5();
    void programIconIsSharpAtEverySize_data();
    void programIconIsSharpAtEverySize();
};

void IconResourcesTest::loadsAtItsSize_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QSize toolbar(16, 16);
    for (const char* key : {"M_Open", "M_Save", "M_Print", "M_Start", "M_Stop", "M_AllSelect",
                            "M_Copy", "M_Sort", "M_Help"}) {
        QTest::newRow(key) << QStringLiteral(":/icons/") + QLatin1String(key) << toolbar;
    }
    // The program icon's file holds every size; a plain image read gives the first, the smallest.
    QTest::newRow("program icon") << QStringLiteral(":/icons/keymill") << QSize(16, 16);
}

void IconResourcesTest::loadsAtItsSize() {
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);

    // The light grey background must come out transparent, never as a grey square.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int transparent = 0;
    int opaqueGrey = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                ++transparent;
            } else if ((pixel & 0xFFFFFF) == 0xC0C0C0) {
                ++opaqueGrey;
            }
        }
    }
    QVERIFY(transparent > 0);
    QVERIFY(transparent < argb.width() * argb.height());
    QCOMPARE(opaqueGrey, 0);
}

void IconResourcesTest::toolbarImagesDrawnFor1_5_data() {
    QTest::addColumn<QString>("path");
    for (const char* key :
         {"M_Save", "M_Print", "M_Start", "M_Stop", "M_AllSelect", "M_Copy", "M_Sort", "M_Help"})
        QTest::newRow(key) << QStringLiteral(":/icons/") + QLatin1String(key);
}

// On a screen scaled by 1.5 the toolbar asks for 16 x 16 at a device pixel ratio of 1.5: it must
// get a drawing made at 24 pixels, not the 16-pixel one scaled up and blurred.
void IconResourcesTest::toolbarImagesDrawnFor1_5() {
    QFETCH(QString, path);
    const QIcon icon(path);
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(icon.availableSizes().contains(QSize(24, 24)));
    const QImage shown =
        icon.pixmap(QSize(16, 16), 1.5).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown.size(), QSize(24, 24));
    // Every pixel is one of the drawing's own: opaque palette colours or fully transparent.
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int alpha = qAlpha(shown.pixel(x, y));
            QVERIFY2(alpha == 0 || alpha == 255,
                     qPrintable(QStringLiteral("blended pixel at %1,%2").arg(x).arg(y)));
        }
    }
}

void IconResourcesTest::programIconIsSharpAtEverySize_data() {
    QTest::addColumn<int>("pixels");
    for (int pixels : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", pixels) << pixels;
}

// The window, the task bar and the About dialog each ask for their own size: every one must be
// drawn at that size, not scaled from another, and keep its transparent corners.
void IconResourcesTest::programIconIsSharpAtEverySize() {
    QFETCH(int, pixels);
    const QSize size(pixels, pixels);
    const QIcon icon(QStringLiteral(":/icons/keymill"));
    QVERIFY(icon.availableSizes().contains(size));

    const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), size);
    QCOMPARE(qAlpha(image.pixel(pixels - 1, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(0, pixels - 1)), 0);
    int opaque = 0;
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    }
    QVERIFY2(opaque > pixels * pixels / 3, "the drawing fills a good part of the square");
}

QTEST_MAIN(IconResourcesTest)
#include "tst_IconResources.moc"
