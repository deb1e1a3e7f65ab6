// What the window keeps in keymill.ini between uses, seen from the user's side.
#include "IniValues.h"
#include "ProgramPaths.h"
#include "SettingsRules.h"
#include "WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

class TestSettingsWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void optionsAndGeometrySurviveARestart_data();
    void optionsAndGeometrySurviveARestart();
    void loadRefreshesTheStartCommand();
    void storedSizeBelowMinimumIsGrown();
    void minimisedWindowStoresItsNormalGeometry();
    void lastWindowClosedWins();
    void unwritableDirectoryFallsBack();
    void fileBesideReadUntilUserFileExists();
    void unchangedCloseLeavesFileAlone();
    void positionNotMovedIsStoredAsRead();
};

namespace {
QString iniOf(const QTemporaryDir& dir) {
    return dir.path() + "/keymill.ini";
}

// Sizes the window so that its outer rectangle, frame included, has the given size.
void resizeOuter(QWidget& w, QSize outer) {
    w.resize(outer - (w.frameGeometry().size() - w.size()));
}
} // namespace

void TestSettingsWindow::optionsAndGeometrySurviveARestart_data() {
    QTest::addColumn<QString>("addText");
    QTest::addColumn<QString>("deleteText");
    QTest::newRow("four characters") << ""
                                     << "abcd";
    QTest::newRow("Japanese with 0x5C trail bytes") << "ソ表示"
                                                    << "能";
    QTest::newRow("blanks and quotes") << "  \"x\"  "
                                       << "'q'";
    QTest::newRow("INI punctuation") << "a=b;c[d]"
                                     << "#;";
    QTest::newRow("emoji") << "😀€"
                           << "";
}

void TestSettingsWindow::optionsAndGeometrySurviveARestart() {
    QFETCH(QString, addText);
    QFETCH(QString, deleteText);
    QTemporaryDir dir;
    {
        MainWindow first(nullptr, dir.path());
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        Part<QCheckBox>(first, "digitsBox")->setChecked(false);
        Part<QCheckBox>(first, "extraBox")->setChecked(true);
        Part<QLineEdit>(first, "extraText")->setText(addText);
        Part<QCheckBox>(first, "excludeBox")->setChecked(true);
        Part<QLineEdit>(first, "excludeText")->setText(deleteText);
        Part<QLineEdit>(first, "lengthBox")->setText("12"); // length and count are not kept
        first.move(100, 80);
        resizeOuter(first, QSize(700, 420));
        QTRY_COMPARE(first.frameGeometry().size(), QSize(700, 420));
        first.actions().quit->trigger();
    }
    const QString ini = iniOf(dir);
    QCOMPARE(ReadIniValue("Add", "Suji", ini), QString("0"));
    QCOMPARE(ReadIniValue("Add", "DeleteChr", ini), QString("1"));
    QCOMPARE(ReadIniValue("Add", "DeleteChrList", ini), deleteText);
    QCOMPARE(ReadIniValue("Position", "Width", ini), QString::number(700 * 15));

    MainWindow second(nullptr, dir.path());
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QVERIFY(!Part<QCheckBox>(second, "digitsBox")->isChecked());
    QVERIFY(Part<QCheckBox>(second, "upperBox")->isChecked());
    QVERIFY(Part<QCheckBox>(second, "extraBox")->isChecked());
    QCOMPARE(Part<QLineEdit>(second, "extraText")->text(), addText);
    QVERIFY(Part<QCheckBox>(second, "excludeBox")->isChecked());
    QCOMPARE(Part<QLineEdit>(second, "excludeText")->text(), deleteText);
    QVERIFY(Part<QLineEdit>(second, "lengthBox")->text().isEmpty());
    QCOMPARE(second.frameGeometry(), QRect(100, 80, 700, 420));
}

void TestSettingsWindow::loadRefreshesTheStartCommand() {
    QTemporaryDir dir;
    const QString ini = iniOf(dir);
    for (const char* key : {"Suji", "AlhabetBig", "AlphabetMini"})
        QVERIFY(WriteIniValue("Add", key, "0", ini));
    QVERIFY(WriteIniValue("Add", "AddChr", "1", ini));
    QVERIFY(WriteIniValue("Add", "AddChrList", "x", ini));
    WindowFixture f;
    QVERIFY(QFile::copy(ini, f.dir.path() + "/keymill.ini"));
    f.window = std::make_unique<MainWindow>(nullptr, f.dir.path());
    QVERIFY(f.text("extraText")->isEnabled());
    f.lengthBox()->setText("4");
    f.countBox()->setText("2");
    QVERIFY(f.actions().start->isEnabled());
    f.text("extraText")->clear();
    QVERIFY(!f.actions().start->isEnabled());
}

void TestSettingsWindow::storedSizeBelowMinimumIsGrown() {
    QTemporaryDir dir;
    QVERIFY(WriteIniValue("Position", "Width", "3000", iniOf(dir)));
    QVERIFY(WriteIniValue("Position", "Height", "1500", iniOf(dir)));
    MainWindow w(nullptr, dir.path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(Part<QWidget>(w, "client")->size(), QSize(585, 250));
}

void TestSettingsWindow::minimisedWindowStoresItsNormalGeometry() {
    QTemporaryDir dir;
    {
        MainWindow w(nullptr, dir.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        resizeOuter(w, QSize(640, 400));
        QTRY_COMPARE(w.frameGeometry().size(), QSize(640, 400));
        w.showMinimized();
        QTRY_VERIFY(w.isMinimized());
        w.actions().quit->trigger();
        QVERIFY(!w.isMinimized());
    }
    QCOMPARE(ReadIniValue("Position", "Width", iniOf(dir)), QString::number(640 * 15));
    QCOMPARE(ReadIniValue("Position", "Height", iniOf(dir)), QString::number(400 * 15));
}

void TestSettingsWindow::lastWindowClosedWins() {
    QTemporaryDir dir;
    MainWindow first(nullptr, dir.path());
    MainWindow second(nullptr, dir.path());
    Part<QCheckBox>(first, "digitsBox")->setChecked(false);
    Part<QCheckBox>(second, "lowerBox")->setChecked(false);
    second.actions().quit->trigger();
    first.actions().quit->trigger();
    QCOMPARE(ReadIniValue("Add", "Suji", iniOf(dir)), QString("0"));
    QCOMPARE(ReadIniValue("Add", "AlphabetMini", iniOf(dir)), QString("1"));
}

void TestSettingsWindow::unwritableDirectoryFallsBack() {
    QStandardPaths::setTestModeEnabled(true); // the fallback goes to a test configuration dir
    QTemporaryDir dir;
    // A program directory that is a regular file: nothing can be written beneath it.
    const QString notADirectory = dir.path() + "/file";
    QFile file(notADirectory);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    WindowFixture f;
    f.window = std::make_unique<MainWindow>(nullptr, notADirectory);
    f->show();
    f.box("digitsBox")->setChecked(false);
    QVERIFY(f->close());
    QVERIFY(f.errors.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"file"});
    // The settings went to the user's configuration directory instead.
    const QString fallback = f->settingsFilePath();
    QVERIFY(!fallback.startsWith(dir.path()));
    QCOMPARE(ReadIniValue("Add", "Suji", fallback), QString("0"));
    QFile::remove(fallback);
}

void TestSettingsWindow::fileBesideReadUntilUserFileExists() {
    // /opt stands for a program directory the program never writes.
    QTemporaryDir program("/opt/keymill-test-XXXXXX");
    if (!program.isValid())
        QSKIP("no directory can be made under /opt");
    QStandardPaths::setTestModeEnabled(true); // the user's file goes to a test directory
    const QString beside = program.path() + "/keymill.ini";
    const QByteArray besideBytes("[Add]\r\nSuji=0\r\n[Mine]\r\nkept=\x83\x5C\r\n");
    {
        QFile f(beside);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(besideBytes);
    }
    const QString user = SettingsFilePathFor(program.path());
    QVERIFY(!user.startsWith(program.path()));
    QFile::remove(user);
    {
        MainWindow first(nullptr, program.path());
        QVERIFY(!Part<QCheckBox>(first, "digitsBox")->isChecked()); // read from beside the program
        QCOMPARE(first.settingsFilePath(), user);
        Part<QCheckBox>(first, "lowerBox")->setChecked(false);
        first.actions().quit->trigger();
    }
    QFile besideFile(beside);
    QVERIFY(besideFile.open(QIODevice::ReadOnly));
    QCOMPARE(besideFile.readAll(), besideBytes); // never written
    QCOMPARE(ReadIniValue("Add", "Suji", user), u"0"_qs);
    QCOMPARE(ReadIniValue("Add", "AlphabetMini", user), u"0"_qs);
    QCOMPARE(ReadIniValue("Mine", "kept", user), u"ソ"_qs);

    // From now on the user's file wins.
    QVERIFY(WriteIniValue("Add", "Suji", "1", user));
    MainWindow second(nullptr, program.path());
    QVERIFY(Part<QCheckBox>(second, "digitsBox")->isChecked());
    QVERIFY(!Part<QCheckBox>(second, "lowerBox")->isChecked());
    second.actions().quit->trigger();
    QFile::remove(user);
}

void TestSettingsWindow::unchangedCloseLeavesFileAlone() {
    // A text saved by another editor (UTF-8 without mark) and a foreign section with bytes that
    // code page 932 lacks: a close with nothing changed writes nothing at all.
    QTemporaryDir dir;
    MainWindow first(nullptr, dir.path());
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    first.actions().quit->trigger();
    QFile file(iniOf(dir));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    bytes.replace("AddChrList=", "AddChrList=\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86");
    bytes += "[Other]\r\nk=\x80\xFF\x81\r\n";
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QDateTime written = QFileInfo(file).lastModified();

    MainWindow second(nullptr, dir.path());
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTest::qWait(50);
    second.actions().quit->trigger();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QFileInfo(file).lastModified(), written);
}

// Positions and sizes that are no whole number of pixels: a close with nothing moved stores
// them as read, so the file keeps its bytes and its time stamp.
void TestSettingsWindow::positionNotMovedIsStoredAsRead() {
    QTemporaryDir dir;
    {
        MainWindow first(nullptr, dir.path());
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        first.actions().quit->trigger();
    }
    for (const auto& [key, value] : {std::pair{"Left", "3001"}, std::pair{"Top", "2000"},
                                     std::pair{"Width", "8903"}, std::pair{"Height", "5591"}})
        QVERIFY(WriteIniValue("Position", key, value, iniOf(dir)));
    QFile file(iniOf(dir));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const QDateTime written = QFileInfo(file).lastModified();

    MainWindow second(nullptr, dir.path());
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTest::qWait(50);
    second.actions().quit->trigger();
    QCOMPARE(ReadIniValue("Position", "Top", iniOf(dir)), u"2000"_qs);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QFileInfo(file).lastModified(), written);
}

QTEST_MAIN(TestSettingsWindow)
#include "test_settings_window.moc"
