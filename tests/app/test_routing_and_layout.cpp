// The toolbar and the list's pop-up reach the commands; the window keeps its layout as it is
// resized.
#include "HelpCommand.h"
#include "MainLayout.h"
#include "PrintCommand.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "SaveCommand.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestRoutingAndLayout : public QObject {
    Q_OBJECT
private slots:
    void toolbarKeys_data();
    void toolbarKeys();
    void toolbarSeparatorsDoNothing();
    void popupItems_data();
    void popupItems();
    void popupOffered_data();
    void popupOffered();
    void tooSmallWindowGrowsBack();
    void layoutFollowsSize();
    void resizeDuringRunPlacesFrameAndHiddenList();
    void resizeKeepsTheListFocused();
    void helpDuringRunAndClosedAtShutDown();
};

namespace {
// After a completed run of "9", "10", "100": results the commands can act on.
void fillWithKnownList(WindowFixture& f) {
    f->txtMojisu->setText("3");
    f->txtSeisei->setText("3");
    f->mnuRunStart_Click();
    ResultListModel* model = f->lvwPW->resultModel();
    model->clear();
    for (const char* text : {"9", "10", "100"})
        model->append(QString::fromLatin1(text));
    model->flushPending();
}

QString observe(WindowFixture& f, const QString& command, int saves, int prints) {
    if (command == "save")
        return QString::number(saves);
    if (command == "print")
        return QString::number(prints);
    if (command == "copy")
        return QApplication::clipboard()->text();
    if (command == "selection")
        return QString::number(f->lvwPW->selectionModel()->selectedRows().size());
    if (command == "order")
        return f->lvwPW->resultModel()->texts().join(',');
    if (command == "help")
        return QString::number(OpenHelpWindowCount());
    return {};
}

void copyHelpFileInto(const QString& dir) {
    const QString built = qEnvironmentVariable("KEYMILL_BUILD_DIR") + "/keymill.qch";
    QVERIFY2(QFile::copy(built, dir + "/keymill.qch"), qPrintable(built));
}
} // namespace

void TestRoutingAndLayout::toolbarKeys_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("observed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("M_Save") << "M_Save"
                            << "save"
                            << "1";
    QTest::newRow("M_Print") << "M_Print"
                             << "print"
                             << "1";
    QTest::newRow("M_AllSelect") << "M_AllSelect"
                                 << "selection"
                                 << "3";
    QTest::newRow("M_Copy") << "M_Copy"
                            << "copy"
                            << "10"; // only the second row is selected
    QTest::newRow("M_Sort face") << "M_Sort"
                                 << "order"
                                 << "10,100,9";
    QTest::newRow("M_SortAsc") << "M_SortAsc"
                               << "order"
                               << "10,100,9";
    QTest::newRow("M_SortDesc") << "M_SortDesc"
                                << "order"
                                << "9,100,10";
    QTest::newRow("M_Help") << "M_Help"
                            << "help"
                            << "1";
}

void TestRoutingAndLayout::toolbarKeys() {
    QFETCH(QString, key);
    QFETCH(QString, observed);
    QFETCH(QString, expected);
    WindowFixture f;
    copyHelpFileInto(f.dir.path());
    fillWithKnownList(f);
    f->lvwPW->selectionModel()->select(f->lvwPW->resultModel()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::clipboard()->clear();
    int saves = 0;
    int prints = 0;
    f->saveCommand().askFileName = [&](QWidget*, const QString&) {
        ++saves;
        return QString(); // cancelled: nothing is written
    };
    f->printCommand().defaultPrinter = [&] {
        ++prints;
        return QPrinterInfo(); // no printer
    };
    f->printCommand().showError = [](QWidget*, const QString&) {};

    QAction* action = f->toolbarButton(key);
    QVERIFY(action);
    if (f->tlbSortMenu->actions().contains(action)) {
        action->trigger();
    } else {
        auto* button = qobject_cast<QToolButton*>(f->tlbMain->widgetForAction(action));
        QVERIFY(button);
        button->click();
    }
    QCOMPARE(observe(f, observed, saves, prints), expected);
    CloseAllHelpWindows();
}

void TestRoutingAndLayout::toolbarSeparatorsDoNothing() {
    WindowFixture f;
    fillWithKnownList(f);
    const QStringList before = f->lvwPW->resultModel()->texts();
    int separators = 0;
    for (QAction* a : f->tlbMain->actions()) {
        if (!a->isSeparator())
            continue;
        ++separators;
        f->tlbMain_ButtonClick(a);
    }
    QCOMPARE(separators, 3);
    QCOMPARE(f->lvwPW->resultModel()->texts(), before);
    QVERIFY(f->lvwPW->selectionModel()->selectedRows().isEmpty());
}

void TestRoutingAndLayout::popupItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("observed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("すべて選択") << "mnuPopupAllSelect"
                                << "selection"
                                << "3";
    QTest::newRow("コピー") << "mnuPopupCopy"
                            << "copy"
                            << "10";
    QTest::newRow("昇順") << "mnuPopupSortAsc"
                          << "order"
                          << "10,100,9";
    QTest::newRow("降順") << "mnuPopupSortDesc"
                          << "order"
                          << "9,100,10";
}

void TestRoutingAndLayout::popupItems() {
    QFETCH(QString, item);
    QFETCH(QString, observed);
    QFETCH(QString, expected);
    WindowFixture f;
    fillWithKnownList(f);
    f->lvwPW->selectionModel()->select(f->lvwPW->resultModel()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::clipboard()->clear();
    f->findChild<QAction*>(item)->trigger();
    QCOMPARE(observe(f, observed, 0, 0), expected);
}

void TestRoutingAndLayout::popupOffered_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("offered");
    QTest::newRow("results, right button") << "completed" << int(Qt::RightButton) << true;
    QTest::newRow("results, left button") << "completed" << int(Qt::LeftButton) << false;
    QTest::newRow("first start") << "fresh" << int(Qt::RightButton) << false;
    QTest::newRow("after a stop") << "stopped" << int(Qt::RightButton) << false;
    QTest::newRow("empty pool") << "empty pool" << int(Qt::RightButton) << false;
}

void TestRoutingAndLayout::popupOffered() {
    QFETCH(QString, state);
    QFETCH(int, button);
    QFETCH(bool, offered);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->txtMojisu->setText("5");
    f->txtSeisei->setText("4");
    if (state == "stopped") {
        f->duringYield = [&] { f->mnuRunStop_Click(); };
        f->mnuRunStart_Click();
        f->duringYield = nullptr;
    } else if (state == "empty pool") {
        f->chkDeleteChr->setChecked(true);
        f->txtDeleteChr->setText("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        f->mnuRunStart_Click();
    } else if (state == "completed") {
        f->mnuRunStart_Click();
    }
    QMenu* shown = nullptr;
    QPoint at;
    f->showPopupMenu = [&](QMenu* menu, const QPoint& pos) {
        shown = menu;
        at = pos;
    };
    const QPoint click(20, 5);
    QTest::mouseClick(f->lvwPW->viewport(), Qt::MouseButton(button), {}, click);
    QCOMPARE(shown != nullptr, offered);
    if (offered) {
        QCOMPARE(shown, f->mnuPopup);
        QCOMPARE(at, f->lvwPW->viewport()->mapToGlobal(click));
    }
}

void TestRoutingAndLayout::tooSmallWindowGrowsBack() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->resize(300, 120);
    QTRY_COMPARE(f->client->size(), QSize(585, 250));
    const MainLayout design = ComputeMainLayout(8775, 3750);
    QCOMPARE(f->fraAddChr->geometry(), TwipsToPixels(design.fraAddChr));
    QCOMPARE(f->lvwPW->geometry(), TwipsToPixels(design.lvwPW));
    QCOMPARE(f->lblProgressbar->geometry(), TwipsToPixels(design.lblProgressbar));
}

void TestRoutingAndLayout::layoutFollowsSize() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const QSize menuBar(0, f->client->geometry().top());
    f->resize(QSize(800, 400) + menuBar);
    QTRY_COMPARE(f->client->size(), QSize(800, 400));
    const MainLayout wide = ComputeMainLayout(12000, 6000);
    QCOMPARE(f->fraCountSet->geometry(), TwipsToPixels(wide.fraCountSet));
    QCOMPARE(f->txtDeleteChr->geometry(), TwipsToPixels(wide.txtDeleteChr));
    QCOMPARE(f->fraProgressbar->geometry(), TwipsToPixels(wide.fraProgressbar));
    QCOMPARE(f->lvwPW->geometry(), TwipsToPixels(wide.lvwPW));
    QCOMPARE(f->lblKanryo->geometry(), TwipsToPixels(wide.lblKanryo));
    QCOMPARE(f->tlbMain->width(), 800);
}

void TestRoutingAndLayout::resizeDuringRunPlacesFrameAndHiddenList() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->txtMojisu->setText("3");
    f->txtSeisei->setText("20");
    const QSize menuBar(0, f->client->geometry().top());
    bool listStayedHidden = false;
    QRect frame, list;
    int yields = 0;
    f->duringYield = [&] {
        if (++yields != 5)
            return;
        f->resize(QSize(800, 400) + menuBar);
        QApplication::processEvents();
        listStayedHidden = f->lvwPW->isHidden() && !f->fraProgressbar->isHidden();
        frame = f->fraProgressbar->geometry();
        list = f->lvwPW->geometry();
    };
    f->mnuRunStart_Click();
    QVERIFY(listStayedHidden);
    const QRect expected = TwipsToPixels(ComputeMainLayout(12000, 6000).fraProgressbar);
    QCOMPARE(frame, expected);
    QCOMPARE(list, expected);
}

void TestRoutingAndLayout::resizeKeepsTheListFocused() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QApplication::setActiveWindow(f.window.get());
    f->txtMojisu->setText("8");
    f->txtSeisei->setText("30");
    f->mnuRunStart_Click();
    QCOMPARE(QApplication::focusWidget(), f->lvwPW);
    const int wider = f->client->width() + 120;
    f->resize(f->size() + QSize(120, 80));
    QTRY_COMPARE(f->client->width(), wider);
    QCOMPARE(QApplication::focusWidget(), f->lvwPW);
}

void TestRoutingAndLayout::helpDuringRunAndClosedAtShutDown() {
    WindowFixture f;
    copyHelpFileInto(f.dir.path());
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->txtMojisu->setText("3");
    f->txtSeisei->setText("20");
    bool helpEnabled = false;
    int yields = 0;
    f->duringYield = [&] {
        if (++yields == 5) {
            helpEnabled = f->mnuHelpHelp->isEnabled() && f->toolbarButton("M_Help")->isEnabled();
            f->mnuHelpHelp->trigger();
        }
    };
    f->mnuRunStart_Click();
    QVERIFY(helpEnabled);
    QCOMPARE(OpenHelpWindowCount(), 1);
    QCOMPARE(f->lvwPW->resultModel()->count(), 20); // help does not disturb the run
    f->mnuFileEnd_Click();
    QCOMPARE(OpenHelpWindowCount(), 0);
}

QTEST_MAIN(TestRoutingAndLayout)
#include "test_routing_and_layout.moc"
