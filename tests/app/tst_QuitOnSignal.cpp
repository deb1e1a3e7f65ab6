// The built program, started beside a fresh directory, ends on SIGTERM, SIGINT and SIGHUP the
// normal way: exit code 0 and keymill.ini written.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/types.h>

namespace {
// Whether the process has installed its own handler for the signal (SigCgt in its status).
bool catches(qint64 pid, int number) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return mask & (quint64(1) << (number - 1));
        }
    }
    return false;
}
} // namespace

class TestQuitOnSignal : public QObject {
    Q_OBJECT
private slots:
    void endsNormally_data();
    void endsNormally();
};

void TestQuitOnSignal::endsNormally_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestQuitOnSignal::endsNormally() {
    QFETCH(int, number);
    const QString built = qEnvironmentVariable("KEYMILL_BUILD_DIR") + "/keymill";
    if (!QFile::exists(built))
        QSKIP("the program is not built");
    QTemporaryDir dir;
    const QString program = dir.filePath("keymill");
    QVERIFY(QFile::copy(built, program));
    const QString ini = dir.filePath("keymill.ini");

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    // A test started in the background inherits ignored signals; the program would keep them.
    process.setChildProcessModifier([] {
        for (int n : {SIGTERM, SIGINT, SIGHUP})
            std::signal(n, SIG_DFL);
    });
    process.start(program, {});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catches(process.processId(), number), 10000);
    QVERIFY(!QFile::exists(ini));
    QCOMPARE(::kill(pid_t(process.processId()), number), 0);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QFile written(ini);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    QVERIFY2(content.contains("[Position]") && content.contains("AddChrList="),
             content.constData());
}

QTEST_GUILESS_MAIN(TestQuitOnSignal)
#include "tst_QuitOnSignal.moc"
