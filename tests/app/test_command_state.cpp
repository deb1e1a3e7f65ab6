// Which commands the user can reach before, during and after a run.
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

class TestCommandState : public QObject {
    Q_OBJECT
private slots:
    void startFollowsInputs_data();
    void startFollowsInputs();
    void threeStates_data();
    void threeStates();
    void stoppingEnablesOnlyTheStartButton();
    void closeIsRefusedWhileRunning();
};

namespace {
struct Enabled {
    bool save, print, allSelect, copy, sort, start, stop, frames, waitPointer, closeCommand;
};

Enabled snapshot(frmMain& w) {
    const auto both = [&](const char* key, QAction* item) {
        const bool button = w.toolbarButton(key)->isEnabled();
        // A menu item always matches its button once the state has been switched.
        if (button != item->isEnabled())
            qWarning("menu item %s differs from its button", qPrintable(item->objectName()));
        return button && item->isEnabled();
    };
    Enabled e{};
    e.save = both("M_Save", w.mnuFileSave);
    e.print = both("M_Print", w.mnuFilePrint);
    e.allSelect = both("M_AllSelect", w.mnuHensyuAllSelect);
    e.copy = both("M_Copy", w.mnuHensyuCopy);
    e.sort = both("M_Sort", w.mnuHensyuSortAsc) && w.mnuHensyuSortDesc->isEnabled();
    e.start = both("M_Start", w.mnuRunStart);
    e.stop = both("M_Stop", w.mnuRunStop);
    e.frames = w.fraAddChr->isEnabled() && w.fraCountSet->isEnabled();
    e.waitPointer =
        QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    e.closeCommand = CloseCommandEnabled(&w);
    return e;
}

QString describe(const Enabled& e) {
    return QStringLiteral("save=%1 print=%2 all=%3 copy=%4 sort=%5 start=%6 stop=%7 frames=%8 "
                          "wait=%9 close=%10")
        .arg(e.save)
        .arg(e.print)
        .arg(e.allSelect)
        .arg(e.copy)
        .arg(e.sort)
        .arg(e.start)
        .arg(e.stop)
        .arg(e.frames)
        .arg(e.waitPointer)
        .arg(e.closeCommand);
}
} // namespace

void TestCommandState::startFollowsInputs_data() {
    QTest::addColumn<int>("classes"); // bit 0 digits, 1 upper, 2 lower
    QTest::addColumn<bool>("addChr");
    QTest::addColumn<QString>("addText");
    QTest::addColumn<bool>("deleteChr");
    QTest::addColumn<QString>("deleteText");
    QTest::addColumn<QString>("mojisu");
    QTest::addColumn<QString>("seisei");
    QTest::addColumn<bool>("start");

    QTest::newRow("length only") << 7 << false << "" << false << ""
                                 << "8"
                                 << "" << false;
    QTest::newRow("count only") << 7 << false << "" << false << ""
                                << ""
                                << "3" << false;
    QTest::newRow("both numbers") << 7 << false << "" << false << ""
                                  << "8"
                                  << "3" << true;
    QTest::newRow("one class") << 4 << false << "" << false << ""
                               << "8"
                               << "3" << true;
    QTest::newRow("no source") << 0 << false << "" << false << ""
                               << "8"
                               << "3" << false;
    QTest::newRow("extra, empty") << 0 << true << "" << false << ""
                                  << "8"
                                  << "3" << false;
    QTest::newRow("extra, one char") << 0 << true << "x" << false << ""
                                     << "8"
                                     << "3" << true;
    QTest::newRow("extra text, unchecked") << 0 << false << "x" << false << ""
                                           << "8"
                                           << "3" << false;
    QTest::newRow("blank counts as text") << 0 << true << " " << false << ""
                                          << "8"
                                          << "3" << true;
    QTest::newRow("exclusion text alone") << 0 << false << "" << true << "abc"
                                          << "8"
                                          << "3" << true;
    QTest::newRow("numbers unchecked here") << 1 << false << "" << false << ""
                                            << "-"
                                            << "." << true;
}

void TestCommandState::startFollowsInputs() {
    QFETCH(int, classes);
    QFETCH(bool, addChr);
    QFETCH(QString, addText);
    QFETCH(bool, deleteChr);
    QFETCH(QString, deleteText);
    QFETCH(QString, mojisu);
    QFETCH(QString, seisei);
    QFETCH(bool, start);

    WindowFixture f;
    f->chkAddSuji->setChecked(classes & 1);
    f->chkAddAlphabetBig->setChecked(classes & 2);
    f->chkAddAlphabetMini->setChecked(classes & 4);
    f->chkAddChr->setChecked(addChr);
    f->txtAddChr->setText(addText);
    f->chkDeleteChr->setChecked(deleteChr);
    f->txtDeleteChr->setText(deleteText);
    f->txtMojisu->setText(mojisu);
    f->txtSeisei->setText(seisei);
    QCOMPARE(f->toolbarButton("M_Start")->isEnabled(), start);
    QCOMPARE(f->mnuRunStart->isEnabled(), start);
}

void TestCommandState::threeStates_data() {
    QTest::addColumn<QString>("when");
    QTest::addColumn<QString>("expected");
    const auto e = [](Enabled v) { return describe(v); };
    QTest::newRow("idle without results")
        << "start" << e({false, false, false, false, false, true, false, true, false, true});
    QTest::newRow("running") << "running"
                             << e({false, false, false, false, false, false, true, false, true,
                                   false});
    QTest::newRow("idle with results")
        << "completed" << e({true, true, true, true, true, true, false, true, false, true});
    QTest::newRow("after a stop") << "stopped"
                                  << e({false, false, false, false, false, true, false, true, false,
                                        true});
    QTest::newRow("refused after results")
        << "refused" << e({true, true, true, true, true, true, false, true, false, true});
}

void TestCommandState::threeStates() {
    QFETCH(QString, when);
    QFETCH(QString, expected);
    WindowFixture f;
    f->txtMojisu->setText("4");
    f->txtSeisei->setText("50");
    QString seen;
    if (when == "start") {
        seen = describe(snapshot(*f.window));
    } else if (when == "running" || when == "stopped") {
        int yields = 0;
        f->duringYield = [&] {
            if (++yields == 3 && when == "running")
                seen = describe(snapshot(*f.window));
            if (yields == 3 && when == "stopped")
                f->mnuRunStop_Click();
        };
        f->mnuRunStart_Click();
        if (when == "stopped")
            seen = describe(snapshot(*f.window));
    } else {
        f->mnuRunStart_Click();
        if (when == "refused") {
            f->txtMojisu->setText("0");
            f->mnuRunStart_Click();
            QCOMPARE(f.errors.size(), 1);
            QCOMPARE(f->lvwPW->resultModel()->count(), 50);
        }
        seen = describe(snapshot(*f.window));
    }
    QCOMPARE(seen, expected);
}

void TestCommandState::stoppingEnablesOnlyTheStartButton() {
    WindowFixture f;
    f->txtMojisu->setText("4");
    f->txtSeisei->setText("50");
    bool buttonAfterStop = false;
    bool menuAfterStop = true;
    int yields = 0;
    f->duringYield = [&] {
        if (++yields == 5) {
            f->mnuRunStop_Click();
            buttonAfterStop = f->toolbarButton("M_Start")->isEnabled();
            menuAfterStop = f->mnuRunStart->isEnabled();
        }
    };
    f->mnuRunStart_Click();
    QVERIFY(buttonAfterStop);
    QVERIFY(!menuAfterStop);
    QVERIFY(f->mnuRunStart->isEnabled());
}

void TestCommandState::closeIsRefusedWhileRunning() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->txtMojisu->setText("4");
    f->txtSeisei->setText("50");
    bool closedDuringRun = true;
    int yields = 0;
    f->duringYield = [&] {
        if (++yields == 3)
            closedDuringRun = f->close(); // title bar and Alt+F4 come this way
    };
    f->mnuRunStart_Click();
    QVERIFY(!closedDuringRun);
    QVERIFY(f->isVisible());
    QCOMPARE(f->lvwPW->resultModel()->count(), 50);
    QVERIFY(f->close()); // idle again: closing works
}

QTEST_MAIN(TestCommandState)
#include "test_command_state.moc"
