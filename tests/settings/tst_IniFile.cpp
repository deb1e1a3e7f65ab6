#include "IniValues.h"
#include "SettingsRules.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray kBom("\xEF\xBB\xBF");

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void windowsLayout();
    void otherContentKept();
    void readsWindowsFiles_data();
    void readsWindowsFiles();
    void readsOddPathsAsEmpty_data();
    void readsOddPathsAsEmpty();
    void utf8FileStaysUtf8();
    void encodingsReadButNeverWritten_data();
    void encodingsReadButNeverWritten();
    void nulPaddingDecidesNothing_data();
    void nulPaddingDecidesNothing();
    void refusedWrites_data();
    void refusedWrites();
    void failedWriteKeepsOldFile();
    void fileKeepsModeOwnerAndLinks_data();
    void fileKeepsModeOwnerAndLinks();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestIniFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestIniFile::roundTrip_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("stored"); // the bytes after "AddChrList="
    QTest::addColumn<bool>("utf8");

    QTest::newRow("plain") << u"abc"_qs << QByteArray("abc") << false;
    QTest::newRow("so and hyo") << u"ソ表"_qs << QByteArray("\x83\x5C\x95\x5C") << false;
    QTest::newRow("backslash after kana") << u"ソ\\"_qs << QByteArray("\x83\x5C\\") << false;
    QTest::newRow("blanks at both ends") << u"  a b  "_qs << QByteArray("\"  a b  \"") << false;

    QTest::newRow("only blanks") << u"   "_qs << QByteArray("\"   \"") << false;
    QTest::newRow("double quotes") << u"\"q\""_qs << QByteArray("\"\"q\"\"") << false;
    QTest::newRow("single quotes") << u"'q'"_qs << QByteArray("\"'q'\"") << false;
    QTest::newRow("one quote") << u"\"q"_qs << QByteArray("\"q") << false;
    QTest::newRow("unmatched quotes") << u"'q\""_qs << QByteArray("'q\"") << false;

    QTest::newRow("semicolon") << u";x"_qs << QByteArray(";x") << false;

    QTest::newRow("equals") << u"a=b"_qs << QByteArray("a=b") << false;
    QTest::newRow("brackets") << u"[x]"_qs << QByteArray("[x]") << false;
    QTest::newRow("empty") << QString() << QByteArray() << false;
    QTest::newRow("300 characters") << QString(300, u'x') << QByteArray(300, 'x') << false;
    QTest::newRow("300 kanji") << QString(300, u'表') << QByteArray("\x95\x5C").repeated(300)
                               << false;
    QTest::newRow("emoji") << u"a😀"_qs << QByteArray("a\xF0\x9F\x98\x80") << true;
    QTest::newRow("euro and kana") << u"€ソ"_qs << QByteArray("\xE2\x82\xAC\xE3\x82\xBD") << true;
    // Low halves U+DC80 to U+DCFF, which alone stand for bytes that did not decode.
    QTest::newRow("laptop and skull emoji")
        << u"💻💀"_qs << QByteArray("\xF0\x9F\x92\xBB\xF0\x9F\x92\x80") << true;
}

void TestIniFile::roundTrip() {
    QFETCH(QString, value);
    QFETCH(QByteArray, stored);
    QFETCH(bool, utf8);

    const QString file = path("keymill.ini");
    QVERIFY(WriteIniValue("Add", "AddChrList", value, file));
    QCOMPARE(ReadIniValue("Add", "AddChrList", file), value);

    const QByteArray expected =
        (utf8 ? kBom + "\r\n" : QByteArray()) + "[Add]\r\nAddChrList=" + stored + "\r\n";
    QCOMPARE(ReadBytes(file), expected);
}

void TestIniFile::windowsLayout() {
    const QString file = path("keymill.ini");
    const auto save = [&](const QStringList& values) {
        const char* keys[] = {"Left",       "Top",        "Width",        "Height",
                              "Suji",       "AlhabetBig", "AlphabetMini", "AddChr",
                              "AddChrList", "DeleteChr",  "DeleteChrList"};
        for (int i = 0; i < 11; ++i)
            QVERIFY(WriteIniValue(i < 4 ? "Position" : "Add", keys[i], values[i], file));
    };

    save({"1200", "900", "9000", "6000", "0", "1", "1", "1", u"ソ表!"_qs, "1", "0Ol1"});
    QCOMPARE(ReadBytes(file), QByteArray("[Position]\r\n"
                                         "Left=1200\r\n"
                                         "Top=900\r\n"
                                         "Width=9000\r\n"
                                         "Height=6000\r\n"
                                         "[Add]\r\n"
                                         "Suji=0\r\n"
                                         "AlhabetBig=1\r\n"
                                         "AlphabetMini=1\r\n"
                                         "AddChr=1\r\n"
                                         "AddChrList=\x83\x5C\x95\x5C!\r\n"
                                         "DeleteChr=1\r\n"
                                         "DeleteChrList=0Ol1\r\n"));

    // A second shut-down replaces every value in its place.
    save({"0", "15", "8895", "5580", "1", "0", "1", "0", "", "0", " x"});
    QCOMPARE(ReadBytes(file), QByteArray("[Position]\r\n"
                                         "Left=0\r\n"
                                         "Top=15\r\n"
                                         "Width=8895\r\n"
                                         "Height=5580\r\n"
                                         "[Add]\r\n"
                                         "Suji=1\r\n"
                                         "AlhabetBig=0\r\n"
                                         "AlphabetMini=1\r\n"
                                         "AddChr=0\r\n"
                                         "AddChrList=\r\n"
                                         "DeleteChr=0\r\n"
                                         "DeleteChrList=\" x\"\r\n"));
}

void TestIniFile::otherContentKept() {
    const QString file = path("keymill.ini");
    // Comment "キーミル", a foreign section with "値", mixed line ends, a lower-case key.
    WriteBytes(file, "; \x83\x4C\x81\x5B\x83\x7E\x83\x8B\r\n"
                     "[Other]\r\n"
                     "Name = \x92\x6C\r\n"
                     "\r\n"
                     "[Position]\n"
                     "left=5\n"
                     "; keep me\n"
                     "[Add]\r\n"
                     "Suji=1\r\n"
                     "# hash comment\r\n");

    QVERIFY(WriteIniValue("Position", "Left", "60", file));
    QVERIFY(WriteIniValue("Position", "Top", "75", file));
    QVERIFY(WriteIniValue("Add", "AddChr", "1", file));
    QVERIFY(WriteIniValue("New", "Key", "v", file));

    // Lines keep their own line ends; new lines end in CRLF.
    QCOMPARE(ReadBytes(file), QByteArray("; \x83\x4C\x81\x5B\x83\x7E\x83\x8B\r\n"
                                         "[Other]\r\n"
                                         "Name = \x92\x6C\r\n"
                                         "\r\n"
                                         "[Position]\n"
                                         "left=60\n"
                                         "Top=75\r\n"
                                         "; keep me\n"
                                         "[Add]\r\n"
                                         "Suji=1\r\n"
                                         "AddChr=1\r\n"
                                         "# hash comment\r\n"
                                         "[New]\r\n"
                                         "Key=v\r\n"));
    QCOMPARE(ReadIniValue("Other", "Name", file), u"値"_qs);
    QCOMPARE(ReadIniValue("Position", "Left", file), u"60"_qs);
}

void TestIniFile::readsWindowsFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cp932 crlf") << QByteArray("[Add]\r\nAddChrList=\x83\x5C\x95\x5C\x82\xA0\r\n")
                                << u"AddChrList"_qs << u"ソ表あ"_qs;
    QTest::newRow("cp932 lf") << QByteArray("[Add]\nSuji=0\nAddChrList=\x83\x5C\n")
                              << u"AddChrList"_qs << u"ソ"_qs;
    QTest::newRow("no final line end")
        << QByteArray("[Add]\r\nAddChrList=abc") << u"AddChrList"_qs << u"abc"_qs;
    QTest::newRow("blanks around")
        << QByteArray("[Add]\r\nAddChrList =  a b  \r\n") << u"AddChrList"_qs << u"a b"_qs;
    QTest::newRow("double quoted")
        << QByteArray("[Add]\r\nAddChrList= \"  a  \" \r\n") << u"AddChrList"_qs << u"  a  "_qs;
    QTest::newRow("single quoted")
        << QByteArray("[Add]\r\nAddChrList='x'\r\n") << u"AddChrList"_qs << u"x"_qs;
    QTest::newRow("one pair only")
        << QByteArray("[Add]\r\nAddChrList=\"'x'\"\r\n") << u"AddChrList"_qs << u"'x'"_qs;
    QTest::newRow("unmatched quotes")
        << QByteArray("[Add]\r\nAddChrList=\"x'\r\n") << u"AddChrList"_qs << u"\"x'"_qs;
    QTest::newRow("names in other case")
        << QByteArray("[ADD]\r\naddchrlist=q\r\n") << u"AddChrList"_qs << u"q"_qs;
    QTest::newRow("300 bytes whole") << QByteArray("[Add]\r\nAddChrList=" + QByteArray(300, 'z'))
                                     << u"AddChrList"_qs << QString(300, u'z');
    QTest::newRow("utf-8 with mark")
        << QByteArray(kBom + "[Add]\r\nAddChrList=\xF0\x9F\x98\x80\r\n") << u"AddChrList"_qs
        << u"😀"_qs;
    QTest::newRow("absent key") << QByteArray("[Add]\r\nSuji=1\r\n") << u"AddChr"_qs << QString();
    QTest::newRow("absent section")
        << QByteArray("[Position]\r\nLeft=1\r\n") << u"Suji"_qs << QString();
    QTest::newRow("key of another section")
        << QByteArray("[Add]\r\n[Other]\r\nAddChr=1\r\n") << u"AddChr"_qs << QString();
    QTest::newRow("commented out")
        << QByteArray("[Add]\r\n;AddChr=1\r\n") << u"AddChr"_qs << QString();
    QTest::newRow("empty file") << QByteArray() << u"AddChr"_qs << QString();
}

void TestIniFile::readsWindowsFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString file = path("keymill.ini");
    WriteBytes(file, bytes);
    const QString value = ReadIniValue("Add", key, file);
    QCOMPARE(value, expected);
}

void TestIniFile::readsOddPathsAsEmpty_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("missing file") << u"missing.ini"_qs;
    QTest::newRow("missing directory") << u"nowhere/keymill.ini"_qs;
    QTest::newRow("a directory") << u"."_qs;
    QTest::newRow("endless device") << u"/dev/zero"_qs;
}

void TestIniFile::readsOddPathsAsEmpty() {
    QFETCH(QString, file);
    QCOMPARE(ReadIniValue("Add", "Suji", QDir(dir_->path()).filePath(file)), QString());
}

void TestIniFile::utf8FileStaysUtf8() {
    const QString file = path("keymill.ini");
    WriteBytes(file, "[Other]\r\nName=\x92\x6C\r\nOdd=\x81 \xFF\n");

    // An emoji needs UTF-8: lines keep their text, and bytes that never decoded stay as they were.
    QVERIFY(WriteIniValue("Add", "AddChrList", u"😀"_qs, file));
    QCOMPARE(ReadBytes(file), kBom + "\r\n[Other]\r\nName=\xE5\x80\xA4\r\nOdd=\x81 \xEF\xA3\xB3\n"
                                     "[Add]\r\nAddChrList=\xF0\x9F\x98\x80\r\n");
    QCOMPARE(ReadIniValue("Other", "Name", file), u"値"_qs);

    // A file never changes its encoding by itself: the lines others wrote keep their bytes.
    QVERIFY(WriteIniValue("Add", "AddChrList", u"ソ"_qs, file));
    QCOMPARE(ReadBytes(file), kBom + "\r\n[Other]\r\nName=\xE5\x80\xA4\r\nOdd=\x81 \xEF\xA3\xB3\n"
                                     "[Add]\r\nAddChrList=\xE3\x82\xBD\r\n");
}

// Text in these encodings is shown, but a write could only give a file in two encodings.
void TestIniFile::encodingsReadButNeverWritten_data() {
    QTest::addColumn<QByteArray>("bytes");
    const auto units = [](const QByteArray& ascii, int width, bool big) {
        QByteArray out;
        for (char c : ascii) {
            QByteArray unit(width, '\0');
            unit[big ? width - 1 : 0] = c;
            out += unit;
        }
        return out;
    };
    const QByteArray text("[Add]\r\nAddChrList=xyz\r\n");
    QTest::newRow("UTF-32 little-endian") << QByteArray("\xFF\xFE\0\0", 4) + units(text, 4, false);
    QTest::newRow("UTF-32 big-endian") << QByteArray("\0\0\xFE\xFF", 4) + units(text, 4, true);
    QTest::newRow("UTF-16 little-endian without mark") << units(text, 2, false);
    QTest::newRow("UTF-16 big-endian without mark") << units(text, 2, true);
}

void TestIniFile::encodingsReadButNeverWritten() {
    QFETCH(QByteArray, bytes);
    const QString file = path("keymill.ini");
    WriteBytes(file, bytes);
    const QDateTime stamp = QFileInfo(file).lastModified();
    QCOMPARE(ReadIniValue("Add", "AddChrList", file), u"xyz"_qs);

    QVERIFY(!WriteIniValue("Add", "AddChr", "1", file));
    // The window's close: every key stored into the document read, then written.
    std::optional<IniDocument> ini = ReadIniDocument(file);
    QVERIFY(ini);
    QVERIFY(StoreSettings(*ini, StoredSettings{}));
    QVERIFY(!ini->canWriteBack());
    QVERIFY(!WriteIniDocument(*ini, file));
    QCOMPARE(ReadBytes(file), bytes);
    QCOMPARE(QFileInfo(file).lastModified(), stamp);
}

// NULs after the text, as a crash leaves them: the text tells the encoding; writing drops them.
void TestIniFile::nulPaddingDecidesNothing_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("nuls");
    QTest::addColumn<int>("encoding");
    const QByteArray cp932("[Add]\r\nSuji=0\r\nAddChr=1\r\nAddChrList=abc\x95\x5C\x83\x5C\r\n");
    const QByteArray utf8(
        "[Add]\r\nSuji=0\r\nAddChr=1\r\nAddChrList=abc\xE8\xA1\xA8\xE3\x82\xBD\r\n");
    for (int nuls : {100, 200, 400, 4096}) {
        QTest::addRow("code page 932, %d NULs", nuls) << cp932 << nuls << int(IniEncoding::Cp932);
        QTest::addRow("UTF-8, %d NULs", nuls) << utf8 << nuls << int(IniEncoding::Utf8);
    }
    const QString text = QString::fromUtf8(utf8);
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16 without mark, 4096 NULs") << utf16 << 4096 << int(IniEncoding::ReadOnly);
}

void TestIniFile::nulPaddingDecidesNothing() {
    QFETCH(QByteArray, text);
    QFETCH(int, nuls);
    QFETCH(int, encoding);
    IniDocument ini = IniDocument::fromBytes(text + QByteArray(nuls, '\0'));
    QCOMPARE(int(ini.encoding()), encoding);
    QCOMPARE(ini.value("Add", "AddChrList"), u"abc表ソ"_qs);
    QVERIFY(ini.setValue("Add", "Suji", "1"));
    QCOMPARE(ini.canWriteBack(), encoding != int(IniEncoding::ReadOnly));
    if (ini.canWriteBack())
        QCOMPARE(ini.toBytes(), QByteArray(text).replace("Suji=0", "Suji=1"));
}

void TestIniFile::refusedWrites_data() {
    QTest::addColumn<QString>("file"); // relative names lie in the test's directory
    QTest::addColumn<QString>("value");
    QTest::newRow("missing directory") << u"nowhere/keymill.ini"_qs << u"1"_qs;
    QTest::newRow("directory part is a file") << u"plain/keymill.ini"_qs << u"1"_qs;
    QTest::newRow("a directory") << u"sub"_qs << u"1"_qs;
    QTest::newRow("new file under proc") << u"/proc/keymill.ini"_qs << u"1"_qs;
    QTest::newRow("existing file under proc") << u"/proc/version"_qs << u"1"_qs;
    QTest::newRow("device") << u"/dev/full"_qs << u"1"_qs;
    QTest::newRow("line break in value") << u"keymill.ini"_qs << u"a\r\nSuji=0"_qs;
}

void TestIniFile::refusedWrites() {
    QFETCH(QString, file);
    QFETCH(QString, value);
    WriteBytes(path("plain"), "not a directory");
    WriteBytes(path("keymill.ini"), "[Add]\r\nSuji=1\r\n");
    QVERIFY(QDir(dir_->path()).mkdir("sub"));

    const QString target = QDir(dir_->path()).filePath(file);
    const bool existed = QFileInfo(target).isFile();
    const QByteArray before = existed ? ReadBytes(target) : QByteArray();
    const QStringList entries = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden);

    QVERIFY(!WriteIniValue("Add", "Suji", value, target));

    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden), entries);
    if (existed)
        QCOMPARE(ReadBytes(target), before);
    else
        QVERIFY(!QFileInfo(target).isFile());
    QVERIFY(!QFileInfo(u"/dev/full"_qs).isFile());
    QVERIFY(QFileInfo(u"/dev/full"_qs).exists());
}

void TestIniFile::failedWriteKeepsOldFile() {
    // A file size limit makes the write fail part-way, like a full disk, even for root.
    const QString file = path("keymill.ini");
    const QByteArray old("[Add]\r\nAddChrList=old\r\n");
    WriteBytes(file, old);

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 256;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteIniValue("Add", "AddChrList", QString(4096, u'x'), file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QCOMPARE(ReadBytes(file), old);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keymill.ini"});
}

void TestIniFile::fileKeepsModeOwnerAndLinks_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("hardLink");
    QTest::addColumn<bool>("written");
    // No write bit at all is the user's lock, honoured even for root (these tests run as root).
    QTest::newRow("0444 stays untouched") << 0444 << false << false;
    QTest::newRow("0000 stays untouched") << 0000 << false << false;
    QTest::newRow("0444 with a second name") << 0444 << true << false;
    QTest::newRow("0640 keeps its mode") << 0640 << false << true;
    QTest::newRow("0604 keeps its mode") << 0604 << false << true;
    QTest::newRow("a second name sees the change") << 0644 << true << true;
}

void TestIniFile::fileKeepsModeOwnerAndLinks() {
    QFETCH(int, mode);
    QFETCH(bool, hardLink);
    QFETCH(bool, written);
    const QString file = path("keymill.ini");
    const QByteArray old("[Add]\r\nSuji=1\r\n");
    WriteBytes(file, old);
    const QByteArray name = QFile::encodeName(file);
    const QByteArray other = QFile::encodeName(path("other.ini"));
    if (hardLink)
        QCOMPARE(::link(name.constData(), other.constData()), 0);
    // Owned by someone else, as a user's file is when root closes the program.
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
    QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
    struct stat before {};
    QCOMPARE(::stat(name.constData(), &before), 0);

    QCOMPARE(WriteIniValue("Add", "Suji", "0", file), written);

    struct stat after {};
    QCOMPARE(::stat(name.constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_nlink, before.st_nlink);
    if (root || (mode & 0200))
        QCOMPARE(ReadBytes(file), written ? QByteArray("[Add]\r\nSuji=0\r\n") : old);
    if (hardLink) {
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(ReadBytes(path("other.ini")), ReadBytes(file));
    }
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
