// Runs as the user starts, stops and closes them.
#include "IniValues.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RunRefusalText.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <new>

class TestGenerationRun : public QObject {
    Q_OBJECT
private slots:
    void digitsOnly();
    void stops();
    void emptyPool();
    void refusedStartKeepsTheList();
    void stoppedSecondRunLosesTheFirstList();
    void runTooLargeForMemoryIsRefused();
    void allocationFailureEndsAsAStop();
    void endCommandDuringRun();
    void uniqueListAndItsLimit();
    void storedRulesAreMet();
    void rulesFromTheDialogAreMet();
};

namespace {
void fill(WindowFixture& f, const QString& length, const QString& count) {
    f.lengthBox()->setText(length);
    f.countBox()->setText(count);
}

QStringList listed(WindowFixture& f) {
    return f.list()->resultModel()->texts();
}

// Every password of a 1,000 x 10 run holds 3 digits and 1 of the jis-us symbols, and no other.
void CheckJisUsRulesMet(WindowFixture& f) {
    f.run("10", "1000");
    QCOMPARE(f.listed().size(), 1000);
    const QRegularExpression valid(
        "^(?=(.*\\d){3})(?=.*[-!#$%,./;<>?])[-!#$%,./;<>?0-9A-Za-z]{10}$");
    for (const QString& password : f.listed())
        QVERIFY2(valid.match(password).hasMatch(), qPrintable(password));
}

// The fixture's window started again over a keymill.ini holding ini.
void restartWith(WindowFixture& f, const QByteArray& ini) {
    f.window.reset();
    QFile file(f.dir.filePath("keymill.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
    file.close();
    f.window = std::make_unique<MainWindow>(nullptr, f.dir.path());
}
} // namespace

void TestGenerationRun::digitsOnly() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QApplication::setActiveWindow(f.window.get());
    f.box("upperBox")->setChecked(false);
    f.box("lowerBox")->setChecked(false);
    fill(f, "8", "3");
    f.run();

    const QStringList passwords = listed(f);
    QCOMPARE(passwords.size(), 3);
    for (const QString& p : passwords)
        QVERIFY2(QRegularExpression("^[0-9]{8}$").match(p).hasMatch(), qPrintable(p));
    QCOMPARE(Part<QProgressBar>(*f.window, "progressBar")->value(), 3);
    QCOMPARE(Part<QProgressBar>(*f.window, "progressBar")->maximum(), 3);
    QCOMPARE(f.label("doneCount")->text(), QString("3"));
    QCOMPARE(f.label("statusLabel")->text(), QString("パスワード生成中..."));
    QVERIFY(f.part("progressFrame")->isHidden());
    QVERIFY(f.list()->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.list());
    for (QAction* item : {f.actions().save, f.actions().print, f.actions().selectAll,
                          f.actions().copy, f.actions().sortAscending, f.actions().sortDescending})
        QVERIFY(item->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestGenerationRun::stops() {
    WindowFixture f;
    fill(f, "4", "20");
    f->runController().maxPasswordsPerSlice = 1;
    int shown = -1;
    f.run([&](int) {
        f.actions().stop->trigger();
        shown = int(listed(f).size());
    });
    QCOMPARE(shown, 0);
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f.label("doneCount")->text(), QString("0"));
    QVERIFY(!f.actions().save->isEnabled());
    QVERIFY(!f.actions().stop->isEnabled());
    QVERIFY(f.actions().start->isEnabled());
}

void TestGenerationRun::emptyPool() {
    WindowFixture f;
    f.box("upperBox")->setChecked(false);
    f.box("lowerBox")->setChecked(false);
    f.box("excludeBox")->setChecked(true);
    f.text("excludeText")->setText("0123456789");
    fill(f, "8", "5");
    f.run();
    // Refused, not run as a success that makes nothing: the error names the rule.
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors[0].startsWith(u"Error:使える文字がありません"_qs));
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f.label("doneCount")->text(), QString("0"));
    QVERIFY(!f.actions().save->isEnabled());
}

void TestGenerationRun::refusedStartKeepsTheList() {
    WindowFixture f;
    fill(f, "6", "4");
    f.run();
    const QStringList first = listed(f);
    QCOMPARE(first.size(), 4);
    f.lengthBox()->setText("0");
    f.run();
    QCOMPARE(f.errors, QStringList{"Error:文字数に0を指定することはできません。"});
    QCOMPARE(listed(f), first);
    QCOMPARE(f.label("doneCount")->text(), QString("4"));
}

void TestGenerationRun::stoppedSecondRunLosesTheFirstList() {
    WindowFixture f;
    fill(f, "6", "4");
    f.run();
    QCOMPARE(listed(f).size(), 4);
    f.run([&](int) { f.actions().stop->trigger(); });
    QVERIFY(listed(f).isEmpty());
    QVERIFY(!f.actions().copy->isEnabled());
}

void TestGenerationRun::runTooLargeForMemoryIsRefused() {
    WindowFixture f;
    fill(f, "6", "4");
    f.run();
    const QStringList first = listed(f);
    f->runController().availableMemory = [] { return quint64(1) << 20; }; // 1 MiB left
    fill(f, "99999", "99999");
    f.run();
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors.first().startsWith("Error:"));
    QCOMPARE(listed(f), first);
    QVERIFY(f.part("progressFrame")->isHidden());
    QVERIFY(f.actions().save->isEnabled());
    f->runController().availableMemory = [] { return quint64(1) << 30; };
    fill(f, "16", "1000");
    f.run();
    QCOMPARE(listed(f).size(), 1000);
}

// Memory that the check expected but the system would not give: the run ends as a stop does,
// with the memory message, and the window is ready for the next run.
void TestGenerationRun::allocationFailureEndsAsAStop() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    fill(f, "5", "1000");
    f.run();
    f->runController().maxPasswordsPerSlice = 100;
    f.run([&](int drawn) {
        if (drawn == 700)
            throw std::bad_alloc();
    });
    QCOMPARE(f.errors, QStringList{RunTooLargeMessage()});
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f.label("doneCount")->text(), QString("0"));
    QVERIFY(f.part("progressFrame")->isHidden());
    QVERIFY(f.list()->isVisible());
    QCOMPARE(f->runController().state(), RunState::Idle);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(!f.actions().save->isEnabled());
    QVERIFY(!f.actions().stop->isEnabled());
    QVERIFY(f.actions().start->isEnabled());
    QVERIFY(f.part("charactersFrame")->isEnabled());
    f->runController().maxPasswordsPerSlice = std::numeric_limits<int>::max();
    f.run();
    QCOMPARE(listed(f).size(), 1000);
}

void TestGenerationRun::endCommandDuringRun() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.box("extraBox")->setChecked(true);
    f.text("extraText")->setText("ソ");
    fill(f, "5", "1000");
    const QString ini = f->settingsFilePath();
    f->runController().maxPasswordsPerSlice = 10;
    int slices = 0;
    bool savedOnClose = false;
    f.run([&](int) {
        if (++slices == 10) {
            f.actions().quit->trigger();
            savedOnClose = QFile::exists(ini);
            QFile::remove(ini); // a second write would bring it back
        }
    });
    QVERIFY(!f->isVisible());
    QVERIFY(savedOnClose);
    QVERIFY(!QFile::exists(ini));
    QCOMPARE(slices, 10); // the run ended with the window
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(f->runController().state(), RunState::Idle);
}

void TestGenerationRun::uniqueListAndItsLimit() {
    WindowFixture f;
    restartWith(f, "[Add]\r\nAlhabetBig=0\r\nAlphabetMini=0\r\nUnique=1\r\n");
    f.run("2", "100");
    QCOMPARE(QSet<QString>(f.listed().cbegin(), f.listed().cend()).size(), 100);
    QVERIFY(!f.label("strengthLabel")->toolTip().contains(u"重複の可能性"_qs));
    f.run("2", "101");
    QCOMPARE(f.errors, QStringList{RunRefusalMessage({RunRule::UniqueCount, 100})});
    // Off, the list may repeat and the tooltip says how likely that is; a close keeps it off.
    f.actions().unique->trigger();
    QVERIFY(f.label("strengthLabel")->toolTip().endsWith(u"\n重複の可能性 100 %"_qs));
    f.actions().quit->trigger();
    QCOMPARE(ReadIniValue("Add", "Unique", f.dir.filePath("keymill.ini")), QString("0"));
}

void TestGenerationRun::storedRulesAreMet() {
    WindowFixture f;
    restartWith(f, "[Rules]\r\nSymbols=jis-us\r\nMinDigits=3\r\nMinSymbols=1\r\n");
    CheckJisUsRulesMet(f);
}

void TestGenerationRun::rulesFromTheDialogAreMet() {
    WindowFixture f;
    f.lengthBox()->setText("10");
    const QString strength = f.label("strengthLabel")->text();
    f.actions().rules->trigger();
    auto* dialog = f->findChild<QDialog*>("rulesDialog");
    QVERIFY(dialog && dialog->isVisible());
    // A screen reader names every control the keyboard reaches.
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (control->isVisible() && control->focusPolicy() & Qt::TabFocus && !control->focusProxy())
            QVERIFY2(
                !QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty(),
                qPrintable(control->metaObject()->className()));
    }
    // A site's text that cannot be read is named in place, and OK is refused.
    Part<QLineEdit>(*dialog, "passwordRulesBox")->setText("required: emoji");
    QVERIFY(Part<QLabel>(*dialog, "passwordRulesState")->text().endsWith(": required: emoji"));
    QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QVERIFY(!ok->isEnabled());
    Part<QLineEdit>(*dialog, "passwordRulesBox")->clear();
    auto* symbols = Part<QComboBox>(*dialog, "symbolsBox");
    symbols->setCurrentIndex(symbols->findText("jis-us", Qt::MatchStartsWith));
    Part<QSpinBox>(*dialog, "minDigitsBox")->setValue(3);
    Part<QSpinBox>(*dialog, "minSymbolsBox")->setValue(1);
    ok->click();
    QVERIFY(f.label("strengthLabel")->text() != strength);
    CheckJisUsRulesMet(f);
    f.actions().quit->trigger();
    QCOMPARE(ReadIniValue("Rules", "MinDigits", f.dir.filePath("keymill.ini")), QString("3"));
}

QTEST_MAIN(TestGenerationRun)
#include "test_generation_run.moc"
