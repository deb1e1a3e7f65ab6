// Runs as the user starts, stops and closes them.
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>

class TestGenerationRun : public QObject {
    Q_OBJECT
private slots:
    void digitsOnly();
    void stops_data();
    void stops();
    void emptyPool();
    void refusedStartKeepsTheList();
    void stoppedSecondRunLosesTheFirstList();
    void startWhileWindingDownIsIgnored();
    void runTooLargeForMemoryIsRefused();
    void endCommandDuringRun();
};

namespace {
void fill(WindowFixture& f, const QString& mojisu, const QString& seisei) {
    f->txtMojisu->setText(mojisu);
    f->txtSeisei->setText(seisei);
}

QStringList listed(WindowFixture& f) {
    return f->lvwPW->resultModel()->texts();
}
} // namespace

void TestGenerationRun::digitsOnly() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QApplication::setActiveWindow(f.window.get());
    f->chkAddAlphabetBig->setChecked(false);
    f->chkAddAlphabetMini->setChecked(false);
    fill(f, "8", "3");
    f->mnuRunStart->trigger();

    const QStringList passwords = listed(f);
    QCOMPARE(passwords.size(), 3);
    for (const QString& p : passwords)
        QVERIFY2(QRegularExpression("^[0-9]{8}$").match(p).hasMatch(), qPrintable(p));
    QCOMPARE(f->prgCount->value(), 3);
    QCOMPARE(f->prgCount->maximum(), 3);
    QCOMPARE(f->lblProgressbar->text(), QString("3"));
    QCOMPARE(f->lblStatus->text(), QString("パスワード生成中..."));
    QVERIFY(f->fraProgressbar->isHidden());
    QVERIFY(f->lvwPW->isVisible());
    QCOMPARE(QApplication::focusWidget(), f->lvwPW);
    for (QAction* item : {f->mnuFileSave, f->mnuFilePrint, f->mnuHensyuAllSelect, f->mnuHensyuCopy,
                          f->mnuHensyuSortAsc, f->mnuHensyuSortDesc})
        QVERIFY(item->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

// The run yields after step 8 (1), after every character and after every password.
void TestGenerationRun::stops_data() {
    QTest::addColumn<int>("stopAtYield");
    QTest::addColumn<int>("itemsSeenAtTheEnd"); // items in the list when the run noticed
    QTest::addColumn<int>("lastItemLength");
    // Length 4: yields 2-5 are the characters of the first password, 6 follows it.
    QTest::newRow("before the first character") << 1 << 1 << 1;
    QTest::newRow("inside the second password") << 8 << 2 << 2;
    QTest::newRow("after the first password") << 6 << 1 << 4;
}

void TestGenerationRun::stops() {
    QFETCH(int, stopAtYield);
    QFETCH(int, itemsSeenAtTheEnd);
    QFETCH(int, lastItemLength);
    WindowFixture f;
    fill(f, "4", "20");
    int yields = 0;
    int stoppedAt = -1;
    int items = -1;
    int lastLength = -1;
    f->duringYield = [&] {
        ++yields;
        if (yields == stopAtYield) {
            f->mnuRunStop_Click();
            stoppedAt = yields;
        }
        // From the stopping yield on, the list still holds what the run has made.
        if (stoppedAt > 0 && yields >= stoppedAt) {
            const QStringList now = listed(f);
            items = int(now.size());
            lastLength = now.isEmpty() ? 0 : int(now.last().size());
        }
    };
    f->mnuRunStart_Click();
    QCOMPARE(items, itemsSeenAtTheEnd);
    QCOMPARE(lastLength, lastItemLength);
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f->lblProgressbar->text(), QString("0"));
    QVERIFY(!f->mnuFileSave->isEnabled());
    QVERIFY(!f->mnuRunStop->isEnabled());
    QVERIFY(f->mnuRunStart->isEnabled());
}

void TestGenerationRun::emptyPool() {
    WindowFixture f;
    f->chkAddAlphabetBig->setChecked(false);
    f->chkAddAlphabetMini->setChecked(false);
    f->chkDeleteChr->setChecked(true);
    f->txtDeleteChr->setText("0123456789");
    fill(f, "8", "5");
    f->mnuRunStart_Click();
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f->lblProgressbar->text(), QString("0"));
    QVERIFY(f->mnuFileSave->isEnabled());
    QVERIFY(f->mnuHensyuSortDesc->isEnabled());
    QVERIFY(f.errors.isEmpty());
}

void TestGenerationRun::refusedStartKeepsTheList() {
    WindowFixture f;
    fill(f, "6", "4");
    f->mnuRunStart_Click();
    const QStringList first = listed(f);
    QCOMPARE(first.size(), 4);
    f->txtMojisu->setText("0");
    f->mnuRunStart_Click();
    QCOMPARE(f.errors, QStringList{"Error:文字数に0を指定することはできません。"});
    QCOMPARE(listed(f), first);
    QCOMPARE(f->lblProgressbar->text(), QString("4"));
}

void TestGenerationRun::stoppedSecondRunLosesTheFirstList() {
    WindowFixture f;
    fill(f, "6", "4");
    f->mnuRunStart_Click();
    QCOMPARE(listed(f).size(), 4);
    int yields = 0;
    f->duringYield = [&] {
        if (++yields == 3)
            f->mnuRunStop_Click();
    };
    f->mnuRunStart_Click();
    QVERIFY(listed(f).isEmpty());
    QVERIFY(!f->mnuHensyuCopy->isEnabled());
}

void TestGenerationRun::startWhileWindingDownIsIgnored() {
    WindowFixture f;
    fill(f, "3", "10");
    int yields = 0;
    f->duringYield = [&] {
        if (++yields == 4) {
            f->mnuRunStop_Click();
            // The toolbar's start button is enabled again; pressing it must not start a run
            // inside the one that is ending.
            f->toolbarButton("M_Start")->trigger();
        }
    };
    f->mnuRunStart_Click();
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f->lblProgressbar->text(), QString("0"));
    QVERIFY(yields < 10);
}

void TestGenerationRun::runTooLargeForMemoryIsRefused() {
    WindowFixture f;
    fill(f, "6", "4");
    f->mnuRunStart_Click();
    const QStringList first = listed(f);
    f->physicalMemory = [] { return quint64(1) << 20; }; // a 1 MiB machine
    fill(f, "99999", "99999");
    f->mnuRunStart_Click();
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors.first().startsWith("Error:"));
    QCOMPARE(listed(f), first);
    QVERIFY(f->fraProgressbar->isHidden());
    QVERIFY(f->mnuFileSave->isEnabled());
    f->physicalMemory = [] { return quint64(1) << 30; };
    fill(f, "16", "1000");
    f->mnuRunStart_Click();
    QCOMPARE(listed(f).size(), 1000);
}

void TestGenerationRun::endCommandDuringRun() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->chkAddChr->setChecked(true);
    f->txtAddChr->setText("ソ");
    fill(f, "5", "1000");
    const QString ini = f->settingsFilePath();
    int yields = 0;
    bool savedOnClose = false;
    f->duringYield = [&] {
        if (++yields == 10) {
            f->mnuFileEnd_Click();
            savedOnClose = QFile::exists(ini);
            QFile::remove(ini); // a second write would bring it back
        }
    };
    f->mnuRunStart_Click();
    QVERIFY(!f->isVisible());
    QVERIFY(savedOnClose);
    QVERIFY(!QFile::exists(ini));
    QVERIFY(yields < 20);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(!f->runActive());
}

QTEST_MAIN(TestGenerationRun)
#include "test_generation_run.moc"
