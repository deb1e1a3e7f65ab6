#include "SaveCommand.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Makes a write beyond `bytes` fail with EFBIG, a real error half-way through a file.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

struct Recorder {
    QStringList asked;
    QStringList errors;
    bool waitCursorDuringError = false;
};

void Attach(SaveCommand& command, Recorder& recorder, const QString& answer) {
    command.askFileName = [&recorder, answer](QWidget*, const QString& initial) {
        recorder.asked.append(initial);
        return answer;
    };
    command.showError = [&recorder](QWidget*, const QString& text) {
        recorder.errors.append(text);
        recorder.waitCursorDuringError = QApplication::overrideCursor() != nullptr;
    };
}

} // namespace

class SaveCommandTest : public QObject {
    Q_OBJECT
private slots:
    void writesExactBytes_data();
    void writesExactBytes();
    void sameBytesForEveryExtension();
    void replacesLongerFileEntirely();
    void cancelWritesNothing();
    void failures_data();
    void failures();
    void remembersNameAndSavesAgainAfterFailure();
    void dialogDrawsIconsByNameOnly();

private:
    QTemporaryDir m_dir;
};

void SaveCommandTest::writesExactBytes_data() {
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("three of eight: 30 bytes") << QStringList{"abcdefgh", "ABCDEFGH", "01234567"}
                                              << QByteArray("abcdefgh\r\nABCDEFGH\r\n01234567\r\n");
    QTest::newRow("comma and quote stay as they are")
        << QStringList{"a,b", "\"q\""} << QByteArray("a,b\r\n\"q\"\r\n");
    // パ = 83 70, ス = 83 58 in code page 932; no byte-order mark.
    QTest::newRow("Japanese in code page 932")
        << QStringList{"パス", "x"} << QByteArray("\x83\x70\x83\x58\r\nx\r\n");
    QTest::newRow("empty list gives an empty file") << QStringList{} << QByteArray();
}

void SaveCommandTest::writesExactBytes() {
    QFETCH(QStringList, passwords);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("exact.txt"));
    SaveCommand command;
    Recorder recorder;
    Attach(command, recorder, path);
    QVERIFY(command.run(nullptr, passwords));
    QCOMPARE(ReadAll(path), bytes);
    QVERIFY(recorder.errors.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void SaveCommandTest::sameBytesForEveryExtension() {
    const QStringList passwords{"pw1,x", "pw2"};
    QByteArray first;
    for (const char* name : {"a.csv", "a.txt", "a.xls"}) {
        SaveCommand command;
        Recorder recorder;
        Attach(command, recorder, m_dir.filePath(QString::fromLatin1(name)));
        QVERIFY(command.run(nullptr, passwords));
        const QByteArray bytes = ReadAll(m_dir.filePath(QString::fromLatin1(name)));
        if (first.isNull())
            first = bytes;
        QCOMPARE(bytes, first);
    }
    QCOMPARE(first, QByteArray("pw1,x\r\npw2\r\n"));
}

void SaveCommandTest::replacesLongerFileEntirely() {
    const QString path = m_dir.filePath(QStringLiteral("longer.csv"));
    WriteAll(path, QByteArray(5000, 'z'));
    SaveCommand command;
    Recorder recorder;
    Attach(command, recorder, path);
    QVERIFY(command.run(nullptr, {"short"}));
    QCOMPARE(ReadAll(path), QByteArray("short\r\n"));
}

void SaveCommandTest::cancelWritesNothing() {
    const QString before = m_dir.filePath(QStringLiteral("kept.txt"));
    WriteAll(before, "kept");
    const auto entries = QDir(m_dir.path()).entryList(QDir::Files);
    SaveCommand command;
    Recorder recorder;
    Attach(command, recorder, QString());
    QVERIFY(!command.run(nullptr, {"pw"}));
    QVERIFY(recorder.errors.isEmpty());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), entries);
    QCOMPARE(ReadAll(before), QByteArray("kept"));
}

void SaveCommandTest::failures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("namedInText");
    QTest::addColumn<int>("sizeLimit");

    const QStringList plain{"abcdefgh", "ABCDEFGH", "01234567"};
    const QString high(QChar(0xD83D)); // the halves of 😀
    const QString low(QChar(0xDE00));
    QTest::newRow("missing directory") << QStringLiteral("no/such/dir/out.csv") << plain << ENOENT
                                       << QStringLiteral("指定されたパスが見つかりません。") << 0;
    QTest::newRow("directory part is a regular file")
        << QStringLiteral("plain-file/out.csv") << plain << ENOTDIR << QString() << 0;
    QTest::newRow("target is a directory")
        << QStringLiteral(".") << plain << EISDIR << QString() << 0;
    QTest::newRow("disk full") << QStringLiteral("/dev/full") << plain << ENOSPC
                               << QStringLiteral("ディスクの空き領域が不足しています。") << 0;
    // The file exists: the kernel's own answer is shown, not "path not found". Root may open it
    // and is refused at the write; anyone else at the open.
    QTest::newRow("kernel refuses /proc") << QStringLiteral("/proc/version") << plain
                                          << (::geteuid() == 0 ? EIO : EACCES) << QString() << 0;
    QTest::newRow("character outside code page 932")
        << QStringLiteral("old.txt") << QStringList{"abc", "x😀y"} << EILSEQ
        << QStringLiteral("2 番目のパスワードの文字「😀」(U+1F600)") << 0;
    QTest::newRow("pair split over two passwords: the lone half is named")
        << QStringLiteral("old.txt") << QStringList{"a" + high, low + "b"} << EILSEQ
        << QStringLiteral("1 番目のパスワードの文字「") + high + QStringLiteral("」(U+D83D)") << 0;
    QTest::newRow("lone low surrogate") << QStringLiteral("old.txt") << QStringList{"ok", low}
                                        << EILSEQ << QStringLiteral("(U+DE00)") << 0;
    QTest::newRow("euro sign outside code page 932")
        << QStringLiteral("old.txt") << QStringList{"€"} << EILSEQ << QStringLiteral("€") << 0;
    QTest::newRow("write fails half-way over an old file")
        << QStringLiteral("old.txt") << plain << EFBIG << QString() << 16;
}

void SaveCommandTest::failures() {
    QFETCH(QString, path);
    QFETCH(QStringList, passwords);
    QFETCH(int, number);
    QFETCH(QString, namedInText);
    QFETCH(int, sizeLimit);

    // Relative paths lie in a fresh directory of this row's own.
    QTemporaryDir dir;
    if (!path.startsWith(u'/'))
        path = QDir::cleanPath(dir.filePath(path));
    WriteAll(dir.filePath("plain-file"), "not a directory");
    const QByteArray old = "the old content\r\n";
    WriteAll(dir.filePath("old.txt"), old);
    const QByteArray procBefore = ReadAll(QStringLiteral("/proc/version"));

    SaveCommand command;
    Recorder recorder;
    Attach(command, recorder, path);
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit.emplace(sizeLimit);
        QVERIFY(!command.run(nullptr, passwords));
    }

    QCOMPARE(recorder.errors.size(), 1);
    const QString text = recorder.errors.first();
    const QString prefix = QStringLiteral("エラー番号 = ");
    QVERIFY2(text.startsWith(prefix), qPrintable(text));
    const qsizetype cr = text.indexOf(u'\r');
    QVERIFY2(cr > prefix.size(), qPrintable(text));
    QVERIFY(!text.contains(u'\n'));
    bool isNumber = false;
    const int shown = text.mid(prefix.size(), cr - prefix.size()).toInt(&isNumber);
    QVERIFY2(isNumber && shown > 0, qPrintable(text));
    if (number > 0)
        QCOMPARE(shown, number);
    QVERIFY2(text.size() > cr + 1, "the description is missing");
    if (!namedInText.isEmpty())
        QVERIFY2(text.mid(cr + 1).contains(namedInText), qPrintable(text));
    QVERIFY(!recorder.waitCursorDuringError);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Nothing was lost or left behind.
    QCOMPARE(ReadAll(dir.filePath("old.txt")), old);
    QCOMPARE(ReadAll(QStringLiteral("/proc/version")), procBefore);
    QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists());
    QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList({"old.txt", "plain-file"}));
}

void SaveCommandTest::remembersNameAndSavesAgainAfterFailure() {
    SaveCommand command;
    Recorder recorder;
    const QString bad = m_dir.filePath("missing/out.txt");
    Attach(command, recorder, bad);
    QVERIFY(!command.run(nullptr, {"pw"}));
    QCOMPARE(recorder.errors.size(), 1);

    const QString good = m_dir.filePath("second.txt");
    Attach(command, recorder, good);
    QVERIFY(command.run(nullptr, {"pw"}));
    QCOMPARE(ReadAll(good), QByteArray("pw\r\n"));
    QCOMPARE(recorder.asked, QStringList({QString(), bad}));
    QCOMPARE(command.fileName(), good);
}

void SaveCommandTest::dialogDrawsIconsByNameOnly() {
    SaveCommand command;
    const QString chosen = m_dir.filePath(QStringLiteral("chosen.txt"));
    const auto dialog = command.makeDialog(nullptr, chosen);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog->nameFilters(), QStringList({"*.csv", "*.txt", "*.xls"}));
    QCOMPARE(dialog->selectedFiles(), QStringList{chosen});
    const auto* provider = dynamic_cast<const NameOnlyIconProvider*>(dialog->iconProvider());
    QVERIFY(provider);

    // Two files without a suffix that differ only in content: whoever reads content (as Qt's own
    // provider does, and blocks on /proc/kmsg) tells them apart.
    const QString pdf = m_dir.filePath(QStringLiteral("first"));
    const QString text = m_dir.filePath(QStringLiteral("second"));
    WriteAll(pdf, "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n");
    WriteAll(text, "plain words\n");
    QVERIFY(QFileIconProvider().type(QFileInfo(pdf)) != QFileIconProvider().type(QFileInfo(text)));
    QCOMPARE(provider->type(QFileInfo(pdf)), provider->type(QFileInfo(text)));
    QCOMPARE(provider->icon(QFileInfo(pdf)).name(), provider->icon(QFileInfo(text)).name());
}

QTEST_MAIN(SaveCommandTest)
#include "tst_SaveCommand.moc"
