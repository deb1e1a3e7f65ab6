#include "PasswordGenerator.h"
#include "RunMemory.h"

#include <QTest>
#include <limits>
#include <malloc.h>
#include <vector>

namespace {
constexpr quint64 kGiB = quint64(1) << 30;

// Large blocks are mapped separately and not counted in uordblks.
size_t heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
} // namespace

class RunMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void refusesRunsBeyondHalfOfMemory_data();
    void refusesRunsBeyondHalfOfMemory();
    void estimateMatchesRealAllocation_data();
    void estimateMatchesRealAllocation();
    void estimateSaturates();
};

void RunMemoryTest::refusesRunsBeyondHalfOfMemory_data() {
    QTest::addColumn<qint64>("mojisu");
    QTest::addColumn<qint64>("seisei");
    QTest::addColumn<quint64>("physical");
    QTest::addColumn<bool>("fits");

    QTest::newRow("99999 x 99999 on 24 GB") << qint64(99999) << qint64(99999) << 24 * kGiB << false;
    QTest::newRow("99999 x 16 on 24 GB") << qint64(99999) << qint64(16) << 24 * kGiB << true;
    QTest::newRow("16 x 99999 on 24 GB") << qint64(16) << qint64(99999) << 24 * kGiB << true;
    QTest::newRow("99999 x 99999 on 64 GB") << qint64(99999) << qint64(99999) << 64 * kGiB << true;
    QTest::newRow("memory size unknown") << qint64(99999) << qint64(99999) << quint64(0) << true;
}

void RunMemoryTest::refusesRunsBeyondHalfOfMemory() {
    QFETCH(qint64, mojisu);
    QFETCH(qint64, seisei);
    QFETCH(quint64, physical);
    QFETCH(bool, fits);
    QCOMPARE(RunFitsInMemory(mojisu, seisei, physical), fits);
}

void RunMemoryTest::estimateMatchesRealAllocation_data() {
    QTest::addColumn<int>("mojisu");
    QTest::addColumn<int>("seisei");

    QTest::newRow("short passwords") << 16 << 20000;
    QTest::newRow("one character") << 1 << 20000;
    QTest::newRow("long passwords") << 5000 << 400;
}

void RunMemoryTest::estimateMatchesRealAllocation() {
    QFETCH(int, mojisu);
    QFETCH(int, seisei);
    GenerationOptions digits;
    digits.AddSuji = true;
    const CharacterPool pool = BuildCharacterPool(digits);

    const size_t before = heapBytesInUse();
    std::vector<QString> passwords;
    passwords.reserve(size_t(seisei));
    for (int i = 0; i < seisei; ++i)
        passwords.push_back(GeneratePassword(pool, mojisu, [] { return false; }));
    const double used = double(heapBytesInUse() - before);

    const double estimate = double(EstimateRunBytes(mojisu, seisei));
    QVERIFY2(estimate >= used * 0.95 && estimate <= used * 1.25,
             qPrintable(QStringLiteral("estimate %1, used %2").arg(estimate).arg(used)));
}

void RunMemoryTest::estimateSaturates() {
    constexpr qint64 huge = std::numeric_limits<qint64>::max();
    QCOMPARE(EstimateRunBytes(huge, huge), std::numeric_limits<quint64>::max());
    QVERIFY(!RunFitsInMemory(huge, 2, 24 * kGiB));
    QCOMPARE(EstimateRunBytes(0, 100), quint64(0));
    QCOMPARE(EstimateRunBytes(100, -1), quint64(0));
}

QTEST_APPLESS_MAIN(RunMemoryTest)
#include "tst_RunMemory.moc"
