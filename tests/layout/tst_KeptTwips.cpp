// What a close stores of the window's rectangle, from what was read, where the window was
// placed, and where it is at the close.
#include "KeptTwips.h"

#include <QTest>

Q_DECLARE_METATYPE(TwipsRect)

class TestKeptTwips : public QObject {
    Q_OBJECT
private slots:
    void stored_data();
    void stored();
};

void TestKeptTwips::stored_data() {
    QTest::addColumn<TwipsRect>("read");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<QRect>("now");
    QTest::addColumn<TwipsRect>("stored");

    const TwipsRect odd{3001, 2000, 8900, 5590}; // no value a multiple of 15
    const QRect oddPixels = TwipsToPixels(odd);  // 200,133 593x373
    QTest::newRow("nothing moved: every value as read") << odd << oddPixels << oddPixels << odd;
    QTest::newRow("placed elsewhere by the window manager, not moved since")
        << odd << QRect(0, 0, 593, 373) << QRect(0, 0, 593, 373) << odd;
    QTest::newRow("moved by the user")
        << odd << oddPixels << oddPixels.translated(10, -3) << TwipsRect{3150, 1950, 8900, 5590};
    QTest::newRow("moved on one axis only")
        << odd << oddPixels << oddPixels.translated(0, 1) << TwipsRect{3001, 2010, 8900, 5590};
    QTest::newRow("resized by the user")
        << odd << oddPixels << QRect(200, 133, 600, 373) << TwipsRect{3001, 2000, 9000, 5590};
    // Below the minimum the window grows: the size it really has is stored at the first close,
    // and reads back as that size, so the next close stores the same.
    QTest::newRow("width grown to the minimum")
        << TwipsRect{0, 0, 15, 5580} << QRect(0, 0, 587, 372) << QRect(0, 0, 587, 372)
        << TwipsRect{0, 0, 8805, 5580};
    QTest::newRow("the grown width read again")
        << TwipsRect{0, 0, 8805, 5580} << QRect(0, 0, 587, 372) << QRect(0, 0, 587, 372)
        << TwipsRect{0, 0, 8805, 5580};
    QTest::newRow("height grown to the minimum")
        << TwipsRect{45, 30, 8895, 600} << QRect(3, 2, 593, 293) << QRect(3, 2, 593, 293)
        << TwipsRect{45, 30, 8895, 4395};
}

void TestKeptTwips::stored() {
    QFETCH(TwipsRect, read);
    QFETCH(QRect, placed);
    QFETCH(QRect, now);
    QFETCH(TwipsRect, stored);
    const TwipsRect result = OuterTwipsToStore(read, placed, now);
    QCOMPARE(result.left, stored.left);
    QCOMPARE(result.top, stored.top);
    QCOMPARE(result.width, stored.width);
    QCOMPARE(result.height, stored.height);
}

QTEST_APPLESS_MAIN(TestKeptTwips)
#include "tst_KeptTwips.moc"
