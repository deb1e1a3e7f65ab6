#include "YieldThrottle.h"

#include <QTest>
#include <thread>

using namespace std::chrono_literals;

class YieldThrottleTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheClockEveryNthCall_data();
    void readsTheClockEveryNthCall();
    void waitsForTheInterval();
};

void YieldThrottleTest::readsTheClockEveryNthCall_data() {
    QTest::addColumn<int>("callsPerClockRead");
    QTest::addColumn<int>("callsBeforePump"); // pump after this many calls, -1 for none
    QTest::addColumn<QString>("pattern");     // one letter per call: y pump due, n not

    QTest::newRow("every fourth call") << 4 << -1 << "nnnynnnynnny";
    QTest::newRow("every call") << 1 << -1 << "yyyy";
    QTest::newRow("pump restarts the count") << 4 << 3 << "nnnnnnyn";
    QTest::newRow("non-positive count means every call") << 0 << -1 << "yyy";
}

void YieldThrottleTest::readsTheClockEveryNthCall() {
    QFETCH(int, callsPerClockRead);
    QFETCH(int, callsBeforePump);
    QFETCH(QString, pattern);
    YieldThrottle throttle(0ns, callsPerClockRead);

    QString actual;
    for (int call = 0; call < pattern.size(); ++call) {
        if (call == callsBeforePump)
            throttle.markPumped();
        actual += throttle.pumpDue() ? u'y' : u'n';
    }
    QCOMPARE(actual, pattern);
}

void YieldThrottleTest::waitsForTheInterval() {
    YieldThrottle throttle(300ms, 1);
    QVERIFY(!throttle.pumpDue());
    std::this_thread::sleep_for(320ms);
    QVERIFY(throttle.pumpDue());
    throttle.markPumped();
    QVERIFY(!throttle.pumpDue());
}

QTEST_APPLESS_MAIN(YieldThrottleTest)
#include "tst_YieldThrottle.moc"
