// SIGTERM, SIGINT and SIGHUP raised in this process: the window closes the normal way, a run
// stops first, an open dialog is dismissed, and the settings are written once.
#include "QuitRequests.h"
#include "QuitSignals.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <csignal>

namespace {
// Notes the state of the window when its close event arrives.
class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(MainWindow* window) : window_(window) {
        window->installEventFilter(this);
    }
    int closes = 0;
    bool runActiveAtClose = false;
    qsizetype rowsAtClose = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            ++closes;
            runActiveAtClose = (window_->runController().state() == RunState::Running);
            rowsAtClose = Part<ResultListView>(*window_, "resultList")->resultModel()->count();
        }
        return false;
    }

private:
    MainWindow* window_;
};

void addSignalRows() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}
} // namespace

class TestQuitSignals : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void handlerOnlyWritesToTheSocket_data();
    void handlerOnlyWritesToTheSocket();
    void idleWindowClosesOnce_data();
    void idleWindowClosesOnce();
    void runStopsFirst_data();
    void runStopsFirst();
    void openDialogIsDismissed();
};

void TestQuitSignals::cleanup() {
    QuitSignals::uninstall();
}

void TestQuitSignals::handlerOnlyWritesToTheSocket_data() {
    addSignalRows();
}

void TestQuitSignals::handlerOnlyWritesToTheSocket() {
    QFETCH(int, number);
    QVERIFY(QuitSignals::install() >= 0);
    QCOMPARE(QuitSignals::takePending(), 0);
    QCOMPARE(raise(number), 0); // the process lives on
    QCOMPARE(raise(number), 0);
    QCOMPARE(QuitSignals::takePending(), number);
    QCOMPARE(QuitSignals::takePending(), 0);
}

void TestQuitSignals::idleWindowClosesOnce_data() {
    addSignalRows();
}

void TestQuitSignals::idleWindowClosesOnce() {
    QFETCH(int, number);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.box("extraBox")->setChecked(true);
    f.text("extraText")->setText("ソ!");
    ConnectQuitRequests(*qApp, *f.window);
    const QString ini = f->settingsFilePath();
    QVERIFY(!QFile::exists(ini));
    raise(number);
    QTRY_VERIFY(!f->isVisible());
    QVERIFY(QFile::exists(ini));
    QFile::remove(ini);
    // Later requests, and the end of the event loop, write nothing more.
    raise(number);
    f->requestQuit();
    f.actions().quit->trigger();
    QTest::qWait(50);
    QVERIFY(!QFile::exists(ini));
}

void TestQuitSignals::runStopsFirst_data() {
    addSignalRows();
    // The session manager ends a program at logout by a quit of the application.
    QTest::newRow("quit of the application") << 0;
}

void TestQuitSignals::runStopsFirst() {
    QFETCH(int, number);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    ConnectQuitRequests(*qApp, *f.window);
    CloseWatcher watcher(f.window.get());
    f.lengthBox()->setText("8");
    f.countBox()->setText("99999");
    f->runController().maxPasswordsPerSlice = 10;
    f.run([&](int drawn) {
        if (drawn != 100)
            return;
        if (number != 0)
            raise(number);
        else
            QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
    });
    QTRY_VERIFY(!f->isVisible());
    QCOMPARE(watcher.closes, 1);
    QVERIFY(!watcher.runActiveAtClose);
    QCOMPARE(watcher.rowsAtClose, 0); // stopped: the list was emptied before the close
    QCOMPARE(f.label("doneCount")->text(), QString("0"));
    QVERIFY(QFile::exists(f->settingsFilePath()));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestQuitSignals::openDialogIsDismissed() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    ConnectQuitRequests(*qApp, *f.window);
    QTimer::singleShot(50, [] { raise(SIGHUP); });
    QMessageBox box(QMessageBox::Critical, "エラー", "Error:", QMessageBox::Ok, f.window.get());
    QCOMPARE(box.exec(), int(QMessageBox::Rejected)); // would wait for a person otherwise
    QTRY_VERIFY(!f->isVisible());
    QVERIFY(QFile::exists(f->settingsFilePath()));
}

QTEST_MAIN(TestQuitSignals)
#include "tst_QuitSignals.moc"
