#include <QImage>
#include <QTest>

// The toolbar images and the program icon are compiled in and read back as images.
class IconResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void loadsAtItsSize_data();
    void loadsAtItsSize();
};

void IconResourcesTest::loadsAtItsSize_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QSize toolbar(16, 16);
    for (const char* key : {"M_Open", "M_Save", "M_Print", "M_Start", "M_Stop", "M_AllSelect",
                            "M_Copy", "M_Sort", "M_Help"}) {
        QTest::newRow(key) << QStringLiteral(":/icons/") + QLatin1String(key) << toolbar;
    }
    QTest::newRow("program icon") << QStringLiteral(":/icons/keymill") << QSize(32, 32);
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

QTEST_GUILESS_MAIN(IconResourcesTest)
#include "tst_IconResources.moc"
