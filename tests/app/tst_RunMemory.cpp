#include "PasswordGenerator.h"
#include "RunMemory.h"
#include "Sanitized.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <malloc.h>
#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr quint64 kMiB = quint64(1) << 20;
constexpr quint64 kGiB = quint64(1) << 30;

// Large blocks are mapped separately and not counted in uordblks.
size_t heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

CharacterPool poolOf(const QString& extra) {
    GenerationOptions options;
    options.digits = true;
    options.extra = true;
    options.extraText = extra;
    return BuildCharacterPool(options);
}

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Outcomes of the child that runs under a real address-space limit.
enum ChildOutcome {
    kChildPassed = 0,
    kLimitNotSeen = 10,
    kLargeRunAccepted,
    kSmallRunRefused,
    kSmallRunFailed,
    kLargeRunDidNotFail,
};
} // namespace

class RunMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void refusesRunsBeyondHalfOfWhatIsLeft_data();
    void refusesRunsBeyondHalfOfWhatIsLeft();
    void availableIsTheSmallestHeadroom();
    void cgroupHeadroom_data();
    void cgroupHeadroom();
    void estimateMatchesRealAllocation_data();
    void estimateMatchesRealAllocation();
    void estimateSaturates();
    void realAddressSpaceLimit();
};

void RunMemoryTest::refusesRunsBeyondHalfOfWhatIsLeft_data() {
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("units");
    QTest::addColumn<quint64>("available");
    QTest::addColumn<bool>("fits");

    QTest::newRow("99999 x 99999 on 24 GB")
        << qint64(99999) << qint64(99999) << 1 << 24 * kGiB << false;
    QTest::newRow("99999 x 16 on 24 GB") << qint64(99999) << qint64(16) << 1 << 24 * kGiB << true;
    QTest::newRow("16 x 99999 on 24 GB") << qint64(16) << qint64(99999) << 1 << 24 * kGiB << true;
    QTest::newRow("99999 x 99999 on 64 GB")
        << qint64(99999) << qint64(99999) << 1 << 64 * kGiB << true;
    // ulimit -v 800000 leaves a few hundred MB beside the program's own mappings.
    QTest::newRow("5000 x 99999 with 500 MB left")
        << qint64(5000) << qint64(99999) << 1 << 500 * kMiB << false;
    QTest::newRow("3000 x 20000 fits 500 MB")
        << qint64(3000) << qint64(20000) << 1 << 500 * kMiB << true;
    QTest::newRow("same with emoji: twice the bytes")
        << qint64(3000) << qint64(40000) << 2 << 500 * kMiB << false;
    QTest::newRow("nothing left") << qint64(1) << qint64(1) << 1 << quint64(0) << false;
    QTest::newRow("no limit known")
        << qint64(99999) << qint64(99999) << 2 << kNoMemoryLimit << true;
}

void RunMemoryTest::refusesRunsBeyondHalfOfWhatIsLeft() {
    QFETCH(qint64, length);
    QFETCH(qint64, count);
    QFETCH(int, units);
    QFETCH(quint64, available);
    QFETCH(bool, fits);
    QCOMPARE(RunFitsInMemory(EstimateRunBytes(length, count, units), available), fits);
}

// Each limit counts with what the process already uses; a limit already passed leaves 0.
void RunMemoryTest::availableIsTheSmallestHeadroom() {
    MemoryFacts facts;
    QCOMPARE(AvailableMemoryBytes(facts), kNoMemoryLimit);
    facts.physical = 8 * kGiB;
    facts.addressSpaceLimit = 800 * kMiB;
    facts.addressSpaceUsed = 300 * kMiB;
    QCOMPARE(AvailableMemoryBytes(facts), 500 * kMiB);
    facts.dataLimit = 400 * kMiB;
    facts.dataUsed = 100 * kMiB;
    QCOMPARE(AvailableMemoryBytes(facts), 300 * kMiB);
    facts.cgroupHeadroom = 64 * kMiB;
    QCOMPARE(AvailableMemoryBytes(facts), 64 * kMiB);
    facts.addressSpaceUsed = 900 * kMiB;
    QCOMPARE(AvailableMemoryBytes(facts), quint64(0));
}

// Files of a cgroup v2 tree: "relative path=content" pairs.
void RunMemoryTest::cgroupHeadroom_data() {
    QTest::addColumn<QString>("procSelfCgroup");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<quint64>("expected");

    QTest::newRow("no limit anywhere") << "0::/user.slice/app.scope\n"
                                       << QStringList{"user.slice/app.scope/memory.max=max\n",
                                                      "user.slice/app.scope/memory.current=1000\n"}
                                       << kNoMemoryLimit;
    QTest::newRow("own limit") << "0::/app.scope\n"
                               << QStringList{"app.scope/memory.max=1048576\n",
                                              "app.scope/memory.current=48576\n"}
                               << quint64(1000000);
    QTest::newRow("a parent's limit is tighter")
        << "0::/user.slice/app.scope\n"
        << QStringList{"user.slice/app.scope/memory.max=900000000\n",
                       "user.slice/app.scope/memory.current=100\n", "user.slice/memory.max=5000\n",
                       "user.slice/memory.current=1000\n"}
        << quint64(4000);
    QTest::newRow("container: limit at the root of the view")
        << "0::/\n"
        << QStringList{"memory.max=3000\n", "memory.current=1000\n"} << quint64(2000);
    QTest::newRow("over the limit")
        << "0::/a\n"
        << QStringList{"a/memory.max=100\n", "a/memory.current=200\n"} << quint64(0);
    QTest::newRow("cgroup v1 only") << "4:memory:/a\n"
                                    << QStringList{"a/memory.max=100\n"} << kNoMemoryLimit;
}

void RunMemoryTest::cgroupHeadroom() {
    QFETCH(QString, procSelfCgroup);
    QFETCH(QStringList, files);
    QFETCH(quint64, expected);
    QTemporaryDir root;
    for (const QString& file : files) {
        const qsizetype eq = file.indexOf('=');
        writeFile(root.filePath(file.left(eq)), file.mid(eq + 1).toLatin1());
    }
    QCOMPARE(CgroupHeadroomBytes(procSelfCgroup, root.path()), expected);
}

void RunMemoryTest::estimateMatchesRealAllocation_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("extra");

    QTest::newRow("short passwords") << 16 << 20000 << QString();
    QTest::newRow("one character") << 1 << 20000 << QString();
    QTest::newRow("long passwords") << 5000 << 400 << QString();
    QTest::newRow("long passwords with an emoji") << 5000 << 400 << QString("😀");
    QTest::newRow("short passwords with an emoji") << 16 << 20000 << QString("😀");
}

void RunMemoryTest::estimateMatchesRealAllocation() {
    SKIP_WHEN_SANITIZED();
    QFETCH(int, length);
    QFETCH(int, count);
    QFETCH(QString, extra);
    const CharacterPool pool = poolOf(extra);

    const size_t before = heapBytesInUse();
    std::vector<QString> passwords;
    passwords.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        passwords.push_back(GeneratePassword(pool, length, [] { return false; }));
    const double used = double(heapBytesInUse() - before);

    const double estimate = double(EstimateRunBytes(length, count, pool.isBmpOnly() ? 1 : 2));
    QVERIFY2(estimate >= used * 0.95 && estimate <= used * 1.25,
             qPrintable(QStringLiteral("estimate %1, used %2").arg(estimate).arg(used)));
}

void RunMemoryTest::estimateSaturates() {
    constexpr qint64 huge = std::numeric_limits<qint64>::max();
    QCOMPARE(EstimateRunBytes(huge, huge), std::numeric_limits<quint64>::max());
    QCOMPARE(EstimateRunBytes(huge / 2 + 1, 1, 2), std::numeric_limits<quint64>::max());
    QVERIFY(!RunFitsInMemory(EstimateRunBytes(huge, 2), 24 * kGiB));
    QVERIFY(!RunFitsInMemory(EstimateRunBytes(huge, 2), kNoMemoryLimit));
    QCOMPARE(EstimateRunBytes(0, 100), quint64(0));
    QCOMPARE(EstimateRunBytes(100, -1), quint64(0));
}

// A child process under a real RLIMIT_AS: the check sees the limit, refuses what would not fit,
// and what it accepts really can be allocated.
void RunMemoryTest::realAddressSpaceLimit() {
    SKIP_WHEN_SANITIZED();
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const MemoryFacts before = ReadMemoryFacts();
        const rlimit limit{before.addressSpaceUsed + 256 * kMiB,
                           before.addressSpaceUsed + 256 * kMiB};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(kLimitNotSeen);
        const quint64 available = AvailableMemoryBytes();
        if (available > 256 * kMiB || available < 128 * kMiB)
            _exit(kLimitNotSeen);
        if (RunFitsInMemory(EstimateRunBytes(5000, 99999), available))
            _exit(kLargeRunAccepted);
        if (!RunFitsInMemory(EstimateRunBytes(1000, 40000), available))
            _exit(kSmallRunRefused);
        const CharacterPool pool = poolOf(QString());
        try {
            std::vector<QString> passwords;
            passwords.reserve(40000);
            for (int i = 0; i < 40000; ++i)
                passwords.push_back(GeneratePassword(pool, 1000, [] { return false; }));
        } catch (const std::bad_alloc&) {
            _exit(kSmallRunFailed);
        }
        try {
            std::vector<QString> passwords;
            passwords.reserve(99999);
            for (int i = 0; i < 99999; ++i)
                passwords.push_back(QString(5000, QLatin1Char('x')));
        } catch (const std::bad_alloc&) {
            _exit(kChildPassed);
        }
        _exit(kLargeRunDidNotFail);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the child died instead of ending");
    QCOMPARE(WEXITSTATUS(status), int(kChildPassed));
}

QTEST_APPLESS_MAIN(RunMemoryTest)
#include "tst_RunMemory.moc"
