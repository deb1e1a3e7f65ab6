// Runs as the user starts, stops and closes them.
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RunMemory.h"
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
#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    void emojiRunWeighsTwice();
    void allocationFailureEndsAsAStop_data();
    void allocationFailureEndsAsAStop();
    void realAddressSpaceLimit();
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
    // Refused, not run as a success that makes nothing: the error names the rule.
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors[0].startsWith(u"Error:使える文字がありません"_qs));
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f->lblProgressbar->text(), QString("0"));
    QVERIFY(!f->mnuFileSave->isEnabled());
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
    f->availableMemory = [] { return quint64(1) << 20; }; // 1 MiB left
    fill(f, "99999", "99999");
    f->mnuRunStart_Click();
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors.first().startsWith("Error:"));
    QCOMPARE(listed(f), first);
    QVERIFY(f->fraProgressbar->isHidden());
    QVERIFY(f->mnuFileSave->isEnabled());
    f->availableMemory = [] { return quint64(1) << 30; };
    fill(f, "16", "1000");
    f->mnuRunStart_Click();
    QCOMPARE(listed(f).size(), 1000);
}

// A character beyond the Basic Multilingual Plane takes two UTF-16 units; the check counts them.
void TestGenerationRun::emojiRunWeighsTwice() {
    WindowFixture f;
    const quint64 bmpRun = EstimateRunBytes(1000, 1000, 1);
    f->availableMemory = [bmpRun] { return 2 * bmpRun + 4096; };
    fill(f, "1000", "1000");
    f->mnuRunStart_Click();
    QVERIFY(f.errors.isEmpty());
    QCOMPARE(listed(f).size(), 1000);
    f->chkAddChr->setChecked(true);
    f->txtAddChr->setText(QString::fromUtf8("😀"));
    f->mnuRunStart_Click();
    QCOMPARE(f.errors, QStringList{RunTooLargeMessage()});
    QCOMPARE(listed(f).size(), 1000); // refused before anything changed
}

void TestGenerationRun::allocationFailureEndsAsAStop_data() {
    QTest::addColumn<int>("failingYield");
    QTest::newRow("first character") << 1;
    QTest::newRow("later password") << 700;
}

// Memory that the check expected but the system would not give: the run ends as a stop does,
// with the memory message, and the window is ready for the next run.
void TestGenerationRun::allocationFailureEndsAsAStop() {
    QFETCH(int, failingYield);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    fill(f, "5", "1000");
    f->mnuRunStart_Click();
    int yields = 0;
    f->duringYield = [&] {
        if (++yields == failingYield)
            throw std::bad_alloc();
    };
    f->mnuRunStart_Click();
    QCOMPARE(f.errors, QStringList{RunTooLargeMessage()});
    QVERIFY(listed(f).isEmpty());
    QCOMPARE(f->lblProgressbar->text(), QString("0"));
    QVERIFY(f->fraProgressbar->isHidden());
    QVERIFY(f->lvwPW->isVisible());
    QVERIFY(!f->runActive());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(!f->mnuFileSave->isEnabled());
    QVERIFY(!f->mnuRunStop->isEnabled());
    QVERIFY(f->mnuRunStart->isEnabled());
    QVERIFY(f->fraAddChr->isEnabled());
    f->duringYield = nullptr;
    f->mnuRunStart_Click();
    QCOMPARE(listed(f).size(), 1000);
}

// In a child process under a real address-space limit: the check refuses the run, and a run
// that gets past it (the check told there is no limit) fails to allocate and ends as a stop.
void TestGenerationRun::realAddressSpaceLimit() {
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        WindowFixture f;
        const MemoryFacts facts = ReadMemoryFacts();
        const rlim_t cap = facts.addressSpaceUsed + (quint64(160) << 20);
        const rlimit limit{cap, cap};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(10);
        fill(f, "5000", "99999");
        f->mnuRunStart_Click();
        if (f.errors != QStringList{RunTooLargeMessage()} || !listed(f).isEmpty())
            _exit(11);
        f->availableMemory = [] { return kNoMemoryLimit; };
        f->mnuRunStart_Click();
        if (f.errors.size() != 2 || f.errors.last() != RunTooLargeMessage())
            _exit(12);
        if (!listed(f).isEmpty() || f->runActive() || f->lblProgressbar->text() != "0")
            _exit(13);
        fill(f, "8", "100"); // freed again: a small run works
        f->mnuRunStart_Click();
        _exit(listed(f).size() == 100 ? 0 : 14);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the child died instead of ending the run");
    QCOMPARE(WEXITSTATUS(status), 0);
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
