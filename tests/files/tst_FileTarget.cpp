// Writing over real files: modes, owners, hard links, read-only directories, the file-size
// limit and a process killed mid-write, as root and as an ordinary user that a forked child
// becomes.
#include "FileSizeSignal.h"
#include "FileTarget.h"
#include "LineFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// An id no account uses: the child that takes it has no rights beyond what the test gives.
constexpr uid_t kUser = 47011;
const QStringList kPasswords{"abcdefgh", "ABCDEFGH", "01234567"};
const QByteArray kSaved("abcdefgh\r\nABCDEFGH\r\n01234567\r\n");
const QByteArray kOld("the old content, longer than the new one\r\n");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct stat StatOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        st.st_ino = 0;
    return st;
}

void Make(const QString& path, uid_t owner, gid_t group, mode_t mode,
          const QByteArray& content = kOld) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
    file.close();
    const QByteArray name = QFile::encodeName(path);
    QCOMPARE(::chown(name.constData(), owner, group), 0);
    QCOMPARE(::chmod(name.constData(), mode), 0);
}

// Runs `work` in a child process and returns how it ended: its exit code, or 1000 + the signal.
int InChild(const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

// An access list that lets kUser read the file: its binary form as the kernel stores it.
bool GiveAccessList(const QString& path) {
    struct Entry {
        quint16 tag, perm;
        quint32 id;
    };
    constexpr quint32 kNone = 0xFFFFFFFF;
    const quint32 version = 2;
    const Entry entries[] = {
        {0x01, 6, kNone}, {0x02, 4, kUser}, {0x04, 0, kNone}, {0x10, 4, kNone}, {0x20, 0, kNone}};
    QByteArray value(reinterpret_cast<const char*>(&version), sizeof version);
    value.append(reinterpret_cast<const char*>(entries), sizeof entries);
    return ::setxattr(QFile::encodeName(path).constData(), "system.posix_acl_access",
                      value.constData(), size_t(value.size()), 0) == 0;
}

bool HasAccessList(const QString& path) {
    return ::getxattr(QFile::encodeName(path).constData(), "system.posix_acl_access", nullptr, 0) >
           0;
}

int SaveAsUser(const QString& path) {
    return InChild([&] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0)
            return 99;
        return WriteLineFile(path, kPasswords).number;
    });
}

} // namespace

class FileTargetTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void overwrite_data();
    void overwrite();
    void killedMidWriteLeavesNoFile_data();
    void killedMidWriteLeavesNoFile();
    void asOrdinaryUser_data();
    void asOrdinaryUser();
    void fileSizeLimit_data();
    void fileSizeLimit();
    void staleTemporariesGo();

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_file;
};

void FileTargetTest::init() {
    ::umask(022);
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755), 0);
    m_file = m_dir->filePath(QStringLiteral("list.csv"));
}

void FileTargetTest::cleanup() {
    FileTarget::setNamedTemporaryOnly(false);
}

void FileTargetTest::overwrite_data() {
    QTest::addColumn<bool>("namedTemporary");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("otherUser");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("hardLink");
    QTest::addColumn<bool>("accessList");
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<int>("modeAfter");

    // Each case with a temporary file that has no name while it fills, and with the named one of
    // a file system that lacks O_TMPFILE.
    for (const bool named : {false, true}) {
        const auto row = [named](const char* name) -> QTestData& {
            return QTest::addRow("%s%s", name, named ? ", named temporary file" : "") << named;
        };
        row("new file is private") << false << false << 0 << false << false << false << 0600;
        row("existing file keeps its mode")
            << true << false << 0664 << false << false << false << 0664;
        row("root saves another user's file: the owner stays")
            << true << true << 0640 << false << false << false << 0640;
        row("hard link keeps sharing the content")
            << true << false << 0644 << true << false << true << 0644;
        // The group bits show the list's mask: without the list they would widen the group's
        // rights.
        row("access list stays") << true << false << 0600 << false << true << true << 0640;
    }
}

void FileTargetTest::overwrite() {
    QFETCH(bool, namedTemporary);
    QFETCH(bool, exists);
    QFETCH(bool, otherUser);
    QFETCH(int, mode);
    QFETCH(bool, hardLink);
    QFETCH(bool, accessList);
    QFETCH(bool, inPlace);
    QFETCH(int, modeAfter);

    if (otherUser && ::geteuid() != 0)
        QSKIP("only root can give a file to another user");
    const uid_t owner = otherUser ? kUser : ::geteuid();
    const gid_t group = otherUser ? kUser : ::getegid();
    const QString other = m_dir->filePath(QStringLiteral("other-name.csv"));
    if (exists)
        Make(m_file, owner, group, mode);
    if (hardLink)
        QCOMPARE(
            ::link(QFile::encodeName(m_file).constData(), QFile::encodeName(other).constData()), 0);
    if (accessList && !GiveAccessList(m_file))
        QSKIP("this file system keeps no access lists");
    const struct stat before = StatOf(m_file);
    FileTarget::setNamedTemporaryOnly(namedTemporary);

    FileTarget target;
    QVERIFY(target.open(m_file).ok());
    QCOMPARE(target.writesInPlace(), inPlace);
    QVERIFY(target.write(kSaved).ok());
    // Until the commit a reader sees the old file, or none, and nothing else beside it but
    // the named temporary file where the file system needs one.
    if (!inPlace)
        QCOMPARE(ReadAll(m_file), exists ? kOld : QByteArray("<unreadable>"));
    const qsizetype names = hardLink ? 2 : exists ? 1 : 0;
    const bool tempNamed = namedTemporary && !inPlace;
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(),
             names + (tempNamed ? 1 : 0));
    QVERIFY(target.commit().ok());

    const struct stat after = StatOf(m_file);
    QCOMPARE(ReadAll(m_file), kSaved);
    QCOMPARE(int(after.st_mode & 07777), modeAfter);
    QCOMPARE(after.st_uid, owner);
    QCOMPARE(after.st_gid, group);
    if (exists)
        QCOMPARE(after.st_ino == before.st_ino, inPlace);
    if (hardLink)
        QCOMPARE(ReadAll(other), kSaved);
    QCOMPARE(HasAccessList(m_file), accessList);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), hardLink ? 2 : 1);
}

// A process killed between its first write and the commit, by a signal no handler sees: the old
// file, or no file, and no part of the new content under any name.
void FileTargetTest::killedMidWriteLeavesNoFile_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("new file") << false;
    QTest::newRow("file replaced") << true;
}

void FileTargetTest::killedMidWriteLeavesNoFile() {
    QFETCH(bool, exists);
    if (exists)
        Make(m_file, ::geteuid(), ::getegid(), 0644);
    const int ending = InChild([&] {
        FileTarget target;
        if (!target.open(m_file).ok() || !target.write(kSaved).ok())
            return 99;
        ::raise(SIGKILL);
        return 98;
    });
    QCOMPARE(ending, 1000 + SIGKILL);
    QCOMPARE(ReadAll(m_file), exists ? kOld : QByteArray("<unreadable>"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             exists ? QStringList{"list.csv"} : QStringList{});
}

void FileTargetTest::asOrdinaryUser_data() {
    QTest::addColumn<bool>("ownDirectory");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<uid_t>("owner");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("inPlace");

    QTest::newRow("own file, own directory: replaced whole")
        << true << true << kUser << 0640 << 0 << false;
    QTest::newRow("writable file in a directory the user may not write: in place")
        << false << true << kUser << 0644 << 0 << true;
    QTest::newRow("root's writable file: in place, root keeps it")
        << true << true << uid_t(0) << 0666 << 0 << true;
    QTest::newRow("read-only file is refused, not replaced")
        << true << true << kUser << 0444 << EACCES << false;
    QTest::newRow("new file where the user may not create one")
        << false << false << kUser << 0 << EACCES << false;
}

void FileTargetTest::asOrdinaryUser() {
    if (::geteuid() != 0)
        QSKIP("becoming an ordinary user needs root; run as root to cover these cases");
    QFETCH(bool, ownDirectory);
    QFETCH(bool, exists);
    QFETCH(uid_t, owner);
    QFETCH(int, mode);
    QFETCH(int, number);
    QFETCH(bool, inPlace);

    if (ownDirectory)
        QCOMPARE(::chown(QFile::encodeName(m_dir->path()).constData(), kUser, kUser), 0);
    if (exists)
        Make(m_file, owner, owner, mode);
    const struct stat before = StatOf(m_file);

    QCOMPARE(SaveAsUser(m_file), number);

    const struct stat after = StatOf(m_file);
    const QStringList left = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
    if (number != 0) {
        QCOMPARE(left, exists ? QStringList{"list.csv"} : QStringList{});
        if (exists)
            QCOMPARE(ReadAll(m_file), kOld);
        return;
    }
    QCOMPARE(left, QStringList{"list.csv"});
    QCOMPARE(ReadAll(m_file), kSaved);
    QCOMPARE(after.st_uid, owner);
    QCOMPARE(int(after.st_mode & 07777), mode);
    QCOMPARE(after.st_ino == before.st_ino, inPlace);
}

void FileTargetTest::fileSizeLimit_data() {
    QTest::addColumn<bool>("ignoreSignal");
    QTest::addColumn<bool>("hardLink");
    QTest::addColumn<int>("ending");

    // Without the start-up call the process dies; the row shows the check can tell.
    QTest::newRow("signal not ignored: the process is killed") << false << false << 1000 + SIGXFSZ;
    QTest::newRow("signal ignored: the save reports EFBIG") << true << false << EFBIG;
    QTest::newRow("signal ignored, file written in place") << true << true << EFBIG;
}

void FileTargetTest::fileSizeLimit() {
    QFETCH(bool, ignoreSignal);
    QFETCH(bool, hardLink);
    QFETCH(int, ending);

    // The old file is smaller than the limit and the list larger.
    const QByteArray old("old\r\n");
    Make(m_file, ::geteuid(), ::getegid(), 0644, old);
    if (hardLink)
        QCOMPARE(::link(QFile::encodeName(m_file).constData(),
                        QFile::encodeName(m_dir->filePath("other-name.csv")).constData()),
                 0);
    const int result = InChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        if (ignoreSignal)
            IgnoreFileSizeSignal();
        const rlimit limit{16, 16}; // below the list's 30 bytes
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 99;
        return WriteLineFile(m_file, kPasswords).number;
    });
    QCOMPARE(result, ending);
    QCOMPARE(ReadAll(m_file), old);
    if (ignoreSignal) // a killed process cannot clean up after itself
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(),
                 hardLink ? 2 : 1);
}

// A killed save's named leftover goes at the next write beside it once a minute old; nothing else.
void FileTargetTest::staleTemporariesGo() {
    for (const char* name :
         {".keymill-Ab12Cd", ".keymill-Ab12Ce", ".keymill-Ab12C", "keymill-Ab12Cd"}) {
        const QString path = m_dir->filePath(QString::fromLatin1(name));
        Make(path, ::geteuid(), ::getegid(), 0644);
        const time_t at = ::time(nullptr) - (path.endsWith("Ce") ? 30 : 90);
        const timeval times[2] = {{at, 0}, {at, 0}};
        QCOMPARE(::utimes(QFile::encodeName(path).constData(), times), 0);
    }
    QVERIFY(WriteLineFile(m_file, kPasswords).ok());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({".keymill-Ab12C", ".keymill-Ab12Ce", "keymill-Ab12Cd", "list.csv"}));
}

QTEST_GUILESS_MAIN(FileTargetTest)
#include "tst_FileTarget.moc"
