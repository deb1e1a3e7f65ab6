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
    void closeIsRefusedWhileRunning();
};

namespace {
struct Enabled {
    bool save, print, allSelect, copy, sort, start, stop, frames, waitPointer;
};

Enabled snapshot(MainWindow& w) {
    const CommandActions& a = w.actions();
    Enabled e{};
    e.save = a.save->isEnabled();
    e.print = a.print->isEnabled();
    e.allSelect = a.selectAll->isEnabled();
    e.copy = a.copy->isEnabled();
    e.sort = a.sortAscending->isEnabled() && a.sortDescending->isEnabled();
    e.start = a.start->isEnabled();
    e.stop = a.stop->isEnabled();
    e.frames = Part(w, "charactersFrame")->isEnabled() && Part(w, "countsFrame")->isEnabled() &&
               a.unique->isEnabled() && a.rules->isEnabled();
    e.waitPointer =
        QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    return e;
}

QString describe(const Enabled& e) {
    return QStringLiteral("save=%1 print=%2 all=%3 copy=%4 sort=%5 start=%6 stop=%7 frames=%8 "
                          "wait=%9")
        .arg(e.save)
        .arg(e.print)
        .arg(e.allSelect)
        .arg(e.copy)
        .arg(e.sort)
        .arg(e.start)
        .arg(e.stop)
        .arg(e.frames)
        .arg(e.waitPointer);
}
} // namespace

void TestCommandState::startFollowsInputs_data() {
    QTest::addColumn<int>("classes"); // bit 0 digits, 1 upper, 2 lower
    QTest::addColumn<bool>("extra");
    QTest::addColumn<QString>("addText");
    QTest::addColumn<bool>("exclude");
    QTest::addColumn<QString>("deleteText");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("count");
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
    QFETCH(bool, extra);
    QFETCH(QString, addText);
    QFETCH(bool, exclude);
    QFETCH(QString, deleteText);
    QFETCH(QString, length);
    QFETCH(QString, count);
    QFETCH(bool, start);

    WindowFixture f;
    f.box("digitsBox")->setChecked(classes & 1);
    f.box("upperBox")->setChecked(classes & 2);
    f.box("lowerBox")->setChecked(classes & 4);
    f.box("extraBox")->setChecked(extra);
    f.text("extraText")->setText(addText);
    f.box("excludeBox")->setChecked(exclude);
    f.text("excludeText")->setText(deleteText);
    f.lengthBox()->setText(length);
    f.countBox()->setText(count);
    QCOMPARE(f.actions().start->isEnabled(), start);
}

void TestCommandState::threeStates_data() {
    QTest::addColumn<QString>("when");
    QTest::addColumn<QString>("expected");
    const auto e = [](Enabled v) { return describe(v); };
    QTest::newRow("idle without results")
        << "start" << e({false, false, false, false, false, true, false, true, false});
    QTest::newRow("running") << "running"
                             << e({false, false, false, false, false, false, true, false, true});
    QTest::newRow("idle with results")
        << "completed" << e({true, true, true, true, true, true, false, true, false});
    QTest::newRow("after a stop") << "stopped"
                                  << e({false, false, false, false, false, true, false, true,
                                        false});
    QTest::newRow("refused after results")
        << "refused" << e({true, true, true, true, true, true, false, true, false});
}

void TestCommandState::threeStates() {
    QFETCH(QString, when);
    QFETCH(QString, expected);
    WindowFixture f;
    f.lengthBox()->setText("4");
    f.countBox()->setText("50");
    QString seen;
    if (when == "start") {
        seen = describe(snapshot(*f.window));
    } else if (when == "running" || when == "stopped") {
        f.run([&](int) {
            if (when == "running")
                seen = describe(snapshot(*f.window));
            else
                f.actions().stop->trigger();
        });
        if (when == "stopped")
            seen = describe(snapshot(*f.window));
    } else {
        f.run();
        if (when == "refused") {
            f.lengthBox()->setText("0");
            f.run();
            QCOMPARE(f.errors.size(), 1);
            QCOMPARE(f.list()->resultModel()->count(), 50);
        }
        seen = describe(snapshot(*f.window));
    }
    QCOMPARE(seen, expected);
}

void TestCommandState::closeIsRefusedWhileRunning() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.lengthBox()->setText("4");
    f.countBox()->setText("50");
    bool closedDuringRun = true;
    f.run([&](int) { closedDuringRun = f->close(); }); // title bar and Alt+F4 come this way
    QVERIFY(!closedDuringRun);
    QVERIFY(f->isVisible());
    QCOMPARE(f.list()->resultModel()->count(), 50);
    QVERIFY(f->close()); // idle again: closing works
}

QTEST_MAIN(TestCommandState)
#include "test_command_state.moc"
