#include "ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// Each case builds its own little file tree in a temporary directory; "@" in a path stands
// for that directory.
class tst_ProgramPaths : public QObject {
    Q_OBJECT

    QTemporaryDir root_;

    QString Expand(const QString& path) const {
        QString p = path;
        return p.replace('@', root_.path());
    }

    void MakeFile(const QString& path) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void init() {
        QVERIFY(root_.isValid());
        // The user's configuration directory lives in the test's tree too.
        qputenv("XDG_CONFIG_HOME", Expand("@/config").toUtf8());
    }

    void cleanup() {
        QDir(root_.path()).removeRecursively();
        QDir().mkpath(root_.path());
    }

    void SettingsFile_data() {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QStringList>("dirsToMake");
        QTest::addColumn<QStringList>("filesToMake");
        QTest::addColumn<QString>("linkToUsrBin");
        QTest::addColumn<bool>("besideProgram");

        QTest::newRow("writable directory")
            << "@/app" << QStringList{"@/app"} << QStringList{} << QString() << true;
        QTest::newRow("directory named usr outside /usr")
            << "@/usr/bin" << QStringList{"@/usr/bin"} << QStringList{} << QString() << true;
        QTest::newRow("directory does not exist")
            << "@/gone" << QStringList{} << QStringList{} << QString() << false;
        QTest::newRow("directory part is a regular file")
            << "@/file/bin" << QStringList{} << QStringList{"@/file"} << QString() << false;
        QTest::newRow("installed under /usr")
            << "/usr/bin" << QStringList{} << QStringList{} << QString() << false;
        QTest::newRow("link into /usr")
            << "@/link" << QStringList{} << QStringList{} << "@/link" << false;
    }

    void SettingsFile() {
        QFETCH(QString, programDir);
        QFETCH(QStringList, dirsToMake);
        QFETCH(QStringList, filesToMake);
        QFETCH(QString, linkToUsrBin);
        QFETCH(bool, besideProgram);
        for (const QString& d : dirsToMake) {
            QVERIFY(QDir().mkpath(Expand(d)));
        }
        for (const QString& f : filesToMake) {
            MakeFile(Expand(f));
        }
        if (!linkToUsrBin.isEmpty()) {
            QVERIFY(QFile::link("/usr/bin", Expand(linkToUsrBin)));
        }

        const QString dir = Expand(programDir);
        const QString path = SettingsFilePathFor(dir);

        const QString userDir = Expand("@/config/keymill");
        QCOMPARE(path, (besideProgram ? dir : userDir) + "/keymill.ini");
        // The fallback directory exists by the time the program writes to it.
        QCOMPARE(QFileInfo(userDir).isDir(), !besideProgram);
    }

    // The file read at start: beside the program until the user's own file exists. /opt stands
    // for a directory the program never writes; a test that may not create one there skips.
    void SettingsReadPath_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("besideFile");
        QTest::addColumn<bool>("userFile");
        QTest::addColumn<bool>("readsBeside");
        QTest::newRow("writable directory") << false << true << true << true;
        QTest::newRow("installed, no user file yet") << true << true << false << true;
        QTest::newRow("installed, the user file wins") << true << true << true << false;
        QTest::newRow("installed, neither file") << true << false << false << true;
    }

    void SettingsReadPath() {
        QFETCH(bool, installed);
        QFETCH(bool, besideFile);
        QFETCH(bool, userFile);
        QFETCH(bool, readsBeside);
        QTemporaryDir opt("/opt/keymill-test-XXXXXX");
        if (installed && !opt.isValid())
            QSKIP("no directory can be made under /opt");
        const QString dir = installed ? opt.path() : Expand("@/app");
        QVERIFY(QDir().mkpath(dir));
        if (besideFile)
            MakeFile(dir + "/keymill.ini");
        if (userFile)
            MakeFile(Expand("@/config/keymill/keymill.ini"));
        const QString expected =
            readsBeside ? dir + "/keymill.ini" : Expand("@/config/keymill/keymill.ini");
        QCOMPARE(SettingsReadPathFor(dir), expected);
    }

    void HelpFile_data() {
        QTest::addColumn<QStringList>("filesToMake");
        QTest::addColumn<QString>("expected");

        const QString beside = "@/bin/keymill.qch";
        const QString installed = "@/share/keymill/keymill.qch";
        QTest::newRow("only beside") << QStringList{beside} << beside;
        QTest::newRow("only installed") << QStringList{installed} << installed;
        QTest::newRow("both: the copy beside wins") << QStringList{beside, installed} << beside;
        QTest::newRow("neither: the path beside") << QStringList{} << beside;
    }

    void HelpFile() {
        QFETCH(QStringList, filesToMake);
        QFETCH(QString, expected);
        QVERIFY(QDir().mkpath(Expand("@/bin")));
        for (const QString& f : filesToMake) {
            MakeFile(Expand(f));
        }
        QCOMPARE(HelpFilePathFor(Expand("@/bin")), Expand(expected));
    }
};

QTEST_GUILESS_MAIN(tst_ProgramPaths)
#include "tst_ProgramPaths.moc"
