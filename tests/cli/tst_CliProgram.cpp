// The real keymill-cli, for what only a process shows: streams, exit statuses, memory, signals
// and the language of its messages.
#include "PdfText.h"
#include "Sanitized.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <crypt.h>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Program() {
    return qEnvironmentVariable("KEYMILL_BUILD_DIR") + QStringLiteral("/keymill-cli");
}

QProcessEnvironment EnvironmentWithLang(const QString& lang) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    return env;
}

// The peak resident memory of a running process, in KB (VmHWM: not inherited from the parent).
long PeakKilobytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The size of the file that the process has open for writing in `directory`, named or not yet
// named (O_TMPFILE shows as "directory/#inode (deleted)"); -1 while it has none.
qint64 FileBeingWritten(qint64 pid, const QString& directory) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    const QByteArray prefix = QFile::encodeName(directory) + '/';
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray link = QFile::encodeName(fds + u'/' + fd);
        char target[4096];
        const ssize_t size = ::readlink(link.constData(), target, sizeof target);
        struct stat info {};
        if (size > 0 && QByteArray(target, size).startsWith(prefix) &&
            ::stat(link.constData(), &info) == 0)
            return info.st_size;
    }
    return -1;
}

// Reads and drops `bytes` of the process's output.
bool Drain(QProcess& process, qint64 bytes) {
    while (bytes > 0) {
        if (process.bytesAvailable() == 0 && !process.waitForReadyRead(30000))
            return false;
        bytes -= process.read(1 << 20).size();
    }
    return true;
}

} // namespace

class CliProgramTest : public QObject {
    Q_OBJECT

private slots:
    void streamsLinesToStandardOutput();
    void memoryStaysFlat_data();
    void memoryStaysFlat();
    void fullDeviceIsAFailure();
    void closedPipeEndsQuietly();
    void messagesFollowTheLocale_data();
    void messagesFollowTheLocale();
    void outputFileAppearsWholeOrNotAtAll();
    void noSignalLeavesAFileBehind_data();
    void noSignalLeavesAFileBehind();
    void ownOutputToAFullDevice_data();
    void ownOutputToAFullDevice();
    void invalidUtf8IsRefused_data();
    void invalidUtf8IsRefused();
    void slipsHoldTheRunsPasswords();
    void handsOutToAccounts();
};

void CliProgramTest::streamsLinesToStandardOutput() {
    QProcess process;
    process.start(Program(), {"-l", "16", "-c", "200000", "-d"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    const QByteArray out = process.readAllStandardOutput();
    QCOMPARE(out.size(), 17 * 200000);
    QVERIFY(!out.contains('\r'));
    bool digitLines = true;
    for (qsizetype at = 0; at < out.size(); ++at)
        digitLines = digitLines && (at % 17 == 16 ? out[at] == '\n' : isdigit(out[at]) != 0);
    QVERIFY(digitLines);
}

// The passwords stream out. While the test reads slowly the program waits on a full pipe, so
// its peak memory can be read mid-run: after 200 MB of output it is what it was after 1 MB.
void CliProgramTest::memoryStaysFlat_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("short passwords") << QStringList{"-l", "16", "-c", "2000000000"};
    QTest::newRow("long passwords, wide characters")
        << QStringList{"-l", "99999", "-c", "2000000000", "-a", "漢字😀"};
}

void CliProgramTest::memoryStaysFlat() {
    SKIP_WHEN_SANITIZED();
    QFETCH(QStringList, arguments);
    QProcess process;
    process.setReadChannel(QProcess::StandardOutput);
    process.start(Program(), arguments);
    QVERIFY(Drain(process, 1 << 20));
    const long early = PeakKilobytes(process.processId());
    QVERIFY(Drain(process, 200 << 20));
    const long late = PeakKilobytes(process.processId());
    process.kill();
    process.waitForFinished();
    const QString sizes = QStringLiteral("%1 KB, then %2 KB").arg(early).arg(late);
    QVERIFY2(early > 0 && late <= early + 512, qPrintable(sizes));
    // The libraries alone (Qt Core and Gui, ICU, libxlsxwriter) take about 17 MB of it.
    QVERIFY2(late < 24 * 1024, qPrintable(sizes));
    qInfo("peak memory %s", qPrintable(sizes));
}

void CliProgramTest::fullDeviceIsAFailure() {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(Program(), {"-l", "8", "-c", "10"});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QByteArray("keymill-cli: cannot write to standard output: No space left on device\n"));
}

void CliProgramTest::closedPipeEndsQuietly() {
    QProcess cli;
    QProcess head;
    cli.setStandardOutputProcess(&head);
    head.start(QStringLiteral("head"), {"-1"});
    cli.start(Program(), {"-l", "8", "-c", "2000000000"});
    QVERIFY(head.waitForFinished(30000));
    QVERIFY(cli.waitForFinished(30000)); // long before two billion passwords
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(cli.readAllStandardError(), QByteArray());
    QCOMPARE(head.readAllStandardOutput().size(), 9);
}

void CliProgramTest::messagesFollowTheLocale_data() {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");

    QTest::newRow("English") << "C.UTF-8" << QStringList{"-l", "0"} << 2
                             << "keymill-cli: --length must be 1..99999\n";
    QTest::newRow("Japanese") << "ja_JP.UTF-8" << QStringList{"-l", "0"} << 2
                              << "keymill-cli: --length は 1..99999 で指定してください\n";
    QTest::newRow("Japanese, each class")
        << "ja_JP.UTF-8" << QStringList{"-l", "8", "-y", "-d", "-x", "0123456789", "-u"} << 2
        << "keymill-cli: --each-class: 選んだ種類の文字が残っていません (数字)\n";
    // The reason comes from keymill-cli's own messages, whatever the C library has installed.
    QTest::newRow("Japanese, file without space")
        << "ja_JP.UTF-8" << QStringList{"-l", "8", "-o", "/dev/full"} << 1
        << "keymill-cli: '/dev/full' に書き込めません: ディスクの空き領域が不足しています。\n";
    QTest::newRow("Japanese, standard output without space")
        << "ja_JP.UTF-8" << QStringList{"-l", "8", ">/dev/full"} << 1
        << "keymill-cli: 標準出力に書き込めません: ディスクの空き領域が不足しています。\n";
    QTest::newRow("Japanese, unknown option")
        << "ja_JP.UTF-8" << QStringList{"-l", "8", "--len"} << 2
        << "keymill-cli: 不明なオプション '--len' です\n";
    QTest::newRow("Japanese, missing value")
        << "ja_JP.UTF-8" << QStringList{"-l"} << 2 << "keymill-cli: '-l' の後に値がありません\n";
    // Warnings change nothing of the run: the exit status stays 0.
    QTest::newRow("English, what -a dropped")
        << "C.UTF-8" << QStringList{"-l", "4", "-w", "-a", u"\tb\u0301\U0001F1EF"_qs} << 0
        << "keymill-cli: warning: dropped what cannot stand in a password (a control, a mark or "
           "half a flag without its base, a noncharacter): --extra U+0009, U+1F1EF\n";
    QTest::newRow("English, a settings file that is not text")
        << "C.UTF-8" << QStringList{"--settings-file", Program(), "-l", "4"} << 0
        << "keymill-cli: warning: '" + Program() +
               "' is not a text file; the default settings are used\n";
    QTest::newRow("Japanese, entropy")
        << "ja_JP.UTF-8" << QStringList{"-l", "16", "-e"} << 0 << "95.3 ビット\n";
    QTest::newRow("English, file without space")
        << "C.UTF-8" << QStringList{"-l", "8", "-o", "/dev/full"} << 1
        << "keymill-cli: cannot write '/dev/full': No space left on device\n";
}

void CliProgramTest::messagesFollowTheLocale() {
    QFETCH(QString, lang);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QProcess process;
    process.setProcessEnvironment(EnvironmentWithLang(lang));
    if (arguments.removeAll(">/dev/full") > 0)
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(Program(), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
    QCOMPARE(process.exitCode(), exitCode);
}

void CliProgramTest::outputFileAppearsWholeOrNotAtAll() {
    QTemporaryDir dir;
    const QString path = dir.filePath("users.csv");
    QProcess first;
    first.start(Program(), {"-l", "8", "-c", "3", "-o", path});
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    QCOMPARE(written.size(), 3 * 10);
    QCOMPARE(written.count("\r\n"), 3);
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, 0600u);

    // Stopped part-way: the old file stays, and nothing else is left beside it.
    QProcess stopped;
    stopped.start(Program(), {"-l", "99999", "-c", "100000000", "-o", path});
    QVERIFY(stopped.waitForStarted());
    // Its temporary file shows that it is writing, its signal handlers in place.
    QTRY_VERIFY_WITH_TIMEOUT(FileBeingWritten(stopped.processId(), dir.path()) >= 0, 30000);
    stopped.terminate();
    QVERIFY(stopped.waitForFinished(30000));
    QCOMPARE(stopped.exitStatus(), QProcess::NormalExit);
    QCOMPARE(stopped.exitCode(), 128 + SIGTERM);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"users.csv"});
}

// Killed part-way by a signal that ends the program at once, or by a second Ctrl+C right after
// the first: the old file stays, and no part of the passwords is left under any name.
// On a FUSE mount (bindfs), which makes no file without a name, the file being written has one
// until it is complete.
void CliProgramTest::noSignalLeavesAFileBehind_data() {
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<bool>("fuse");
    for (const bool fuse : {false, true}) {
        const char* on = fuse ? " on a FUSE mount" : "";
        QTest::addRow("SIGHUP%s", on) << QList<int>{SIGHUP} << fuse;
        QTest::addRow("SIGQUIT%s", on) << QList<int>{SIGQUIT} << fuse;
        QTest::addRow("SIGUSR1%s", on) << QList<int>{SIGUSR1} << fuse;
        QTest::addRow("SIGALRM%s", on) << QList<int>{SIGALRM} << fuse;
        QTest::addRow("SIGINT twice%s", on) << QList<int>{SIGINT, SIGINT} << fuse;
    }
}

void CliProgramTest::noSignalLeavesAFileBehind() {
    QFETCH(QList<int>, sent);
    QFETCH(bool, fuse);
    QTemporaryDir base;
    QString directory = base.path();
    std::shared_ptr<void> unmount;
    if (fuse) {
        if (!QFileInfo::exists("/dev/fuse") || QStandardPaths::findExecutable("bindfs").isEmpty())
            QSKIP("no FUSE here (/dev/fuse or bindfs missing)");
        directory = base.filePath("mount");
        QVERIFY(QDir(base.path()).mkpath("files") && QDir(base.path()).mkpath("mount"));
        if (QProcess::execute("bindfs", {base.filePath("files"), directory}) != 0)
            QSKIP("bindfs cannot mount here");
        unmount.reset(static_cast<void*>(nullptr), [directory](void*) {
            QProcess::execute("fusermount3", {"-u", directory});
        });
    }
    const QString path = directory + "/x.csv";
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old\r\n");
    old.close();

    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit noCore{0, 0}; // SIGQUIT would leave a core file
        ::setrlimit(RLIMIT_CORE, &noCore);
        for (const int signal : {SIGINT, SIGQUIT, SIGHUP}) // a background shell ignores some
            std::signal(signal, SIG_DFL);
    });
    process.start(Program(), {"-l", "99999", "-c", "100000", "-o", path});
    QVERIFY(process.waitForStarted());
    // Well into the writing: a megabyte of passwords in the file.
    QTRY_VERIFY_WITH_TIMEOUT(FileBeingWritten(process.processId(), directory) > (1 << 20), 30000);
    for (const int signal : sent) {
        ::kill(pid_t(process.processId()), signal);
        QTest::qSleep(1);
    }
    QVERIFY(process.waitForFinished(30000));
    if (sent.size() == 1) { // ended by the signal itself, as without the cleanup
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), sent[0]);
    }
    QCOMPARE(QDir(directory).entryList(QDir::Files | QDir::Hidden), QStringList{"x.csv"});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old\r\n"));
}

// Text the program writes itself, lost to a full device, is a failure like a lost password.
void CliProgramTest::ownOutputToAFullDevice_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("errorToFull"); // standard error to the device, else standard output
    QTest::addColumn<QByteArray>("err");
    const QByteArray noSpace("keymill-cli: cannot write to standard output: No space left on "
                             "device\n");
    QTest::newRow("help") << QStringList{"--help"} << false << noSpace;
    QTest::newRow("version") << QStringList{"--version"} << false << noSpace;
    QTest::newRow("entropy line") << QStringList{"-l", "8", "-e"} << true << QByteArray();
}

void CliProgramTest::ownOutputToAFullDevice() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, errorToFull);
    QFETCH(QByteArray, err);
    QProcess process;
    process.setProcessEnvironment(EnvironmentWithLang(QStringLiteral("C.UTF-8")));
    if (errorToFull)
        process.setStandardErrorFile(QStringLiteral("/dev/full"));
    else
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(Program(), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    if (!errorToFull)
        QCOMPARE(process.readAllStandardError(), err);
    else // the passwords were not made: the run failed before them
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
}

void CliProgramTest::invalidUtf8IsRefused_data() {
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("value of -a") << QList<QByteArray>{"-l", "6", "-a", "\xff\xfe", "-e"}
                                 << QByteArray("keymill-cli: --extra: the value is not valid "
                                               "UTF-8\n");
    QTest::newRow("value stuck to -x") << QList<QByteArray>{"-l", "6", "-xab\xc3"}
                                       << QByteArray("keymill-cli: --exclude: the value is not "
                                                     "valid UTF-8\n");
    QTest::newRow("value after =") << QList<QByteArray>{"-l", "6", "--extra=\x80"}
                                   << QByteArray("keymill-cli: --extra: the value is not valid "
                                                 "UTF-8\n");
    QTest::newRow("value of -a in a group") << QList<QByteArray>{"-l", "6", "-da\xff"}
                                            << QByteArray("keymill-cli: --extra: the value is "
                                                          "not valid UTF-8\n");
    QTest::newRow("a positional argument after a flag")
        << QList<QByteArray>{"-l", "6", "-d", "\xff"}
        << QByteArray("keymill-cli: argument 4 is not valid UTF-8\n");
    QTest::newRow("a positional argument") << QList<QByteArray>{"-l", "6", "\xff"}
                                           << QByteArray("keymill-cli: argument 3 is not valid "
                                                         "UTF-8\n");
}

// The bytes must reach the program as they are: QProcess would re-encode a QString, so the
// shell's printf makes them.
void CliProgramTest::invalidUtf8IsRefused() {
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QByteArray, err);
    QByteArray script = "exec \"$0\"";
    QStringList shellArguments{QStringLiteral("-c"), QString(), Program()};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QByteArray escaped;
        for (const char c : arguments[i])
            escaped += "\\" + QByteArray::number(uchar(c), 8).rightJustified(3, '0');
        script += " \"$(printf '" + escaped + "')\"";
    }
    shellArguments[1] = QString::fromLatin1(script);
    QProcess process;
    process.setProcessEnvironment(EnvironmentWithLang(QStringLiteral("C.UTF-8")));
    process.start(QStringLiteral("/bin/sh"), shellArguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.readAllStandardError(), err);
    QCOMPARE(process.exitCode(), 2);
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
}

// --slips without a display: a page per ten slips, every password of -o on them, set in the
// password face, the file private to its owner.
void CliProgramTest::slipsHoldTheRunsPasswords() {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(Program(), {"-l", "12", "-c", "30", "--slips", dir.filePath("s.pdf"), "-o",
                          dir.filePath("s.csv"), "--encoding", "utf-8"});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    QFile csv(dir.filePath("s.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList passwords =
        QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(passwords.size(), 30);
    const QList<QStringList> pages = PdfPages(dir.filePath("s.pdf"));
    QCOMPARE(pages.size(), 3);
    const QString text = (pages[0] + pages[1] + pages[2]).join(u'\n');
    for (const QString& password : passwords)
        QVERIFY2(text.contains(password), qPrintable(password));
    QVERIFY(PdfFonts(dir.filePath("s.pdf")).contains(QLatin1String("BIZUDGothic")));
    QCOMPARE(QFileInfo(dir.filePath("s.pdf")).permissions() & 0x7777,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

// A list of accounts in code page 932 becomes JSON Lines in its order, each password with a
// yescrypt hash that crypt(3) verifies.
void CliProgramTest::handsOutToAccounts() {
    QTemporaryDir dir;
    QFile accounts(dir.filePath("accounts.txt"));
    QVERIFY(accounts.open(QIODevice::WriteOnly));
    accounts.write("\x8eR\x93"
                   "c\r\na,b\r\n\r\nsay \"hi\"\r\n"); // 山田 in code page 932
    accounts.close();
    QProcess process;
    process.start(Program(), {"-l", "10", "--accounts", accounts.fileName(), "--format", "json",
                              "--hash", "yescrypt"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), 0);
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    QStringList names;
    for (const QByteArray& line : lines) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        names << object["account"].toString();
        const QByteArray hash = object["hash"].toString().toLatin1();
        crypt_data data{};
        QVERIFY(hash.startsWith("$y$"));
        QCOMPARE(QByteArray(crypt_r(object["password"].toString().toUtf8(), hash, &data)), hash);
    }
    QCOMPARE(names, QStringList({u"山田"_qs, "a,b", "say \"hi\""}));
}

QTEST_GUILESS_MAIN(CliProgramTest)
#include "tst_CliProgram.moc"
