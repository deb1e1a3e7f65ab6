// The toolbar and the list's pop-up reach the commands; the window keeps its layout as it is
// resized.
#include "CaptionFrame.h"
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
#include <QStyleOptionButton>
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
    void listKeys_data();
    void listKeys();
    void popupOffered_data();
    void popupOffered();
    void tooSmallWindowGrowsBack();
    void layoutFollowsSize();
    void framesClearOfTheirControls_data();
    void framesClearOfTheirControls();
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

// In the list, Ctrl+C and Ctrl+A are the Edit menu's copy and select all.
void TestRoutingAndLayout::listKeys_data() {
    QTest::addColumn<bool>("selectAllFirst");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("observed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("select all, Ctrl+C") << true << int(Qt::Key_C) << "copy"
                                        << "9\r\n10\r\n100";
    QTest::newRow("one row, Ctrl+C") << false << int(Qt::Key_C) << "copy"
                                     << "10";
    QTest::newRow("Ctrl+A") << false << int(Qt::Key_A) << "selection"
                            << "3";
}

void TestRoutingAndLayout::listKeys() {
    QFETCH(bool, selectAllFirst);
    QFETCH(int, key);
    QFETCH(QString, observed);
    QFETCH(QString, expected);
    WindowFixture f;
    fillWithKnownList(f);
    const QModelIndex second = f->lvwPW->resultModel()->index(1, 0);
    f->lvwPW->selectionModel()->setCurrentIndex(second, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    if (selectAllFirst)
        f->mnuHensyuAllSelect->trigger();
    QApplication::clipboard()->clear();
    QTest::keyClick(f->lvwPW, Qt::Key(key), Qt::ControlModifier);
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

namespace {
// How far right a caption's text reaches, in its frame's coordinates.
int textRight(const QWidget* caption) {
    QString text;
    int textLeft = 0;
    if (const auto* box = qobject_cast<const QCheckBox*>(caption)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        textLeft = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
        text = box->text();
    } else if (const auto* label = qobject_cast<const QLabel*>(caption)) {
        textLeft = label->contentsRect().left();
        text = label->text();
    }
    return caption->x() + textLeft +
           caption->fontMetrics().size(Qt::TextShowMnemonic, text).width();
}
// The text's middle line, in its frame's coordinates.
int textMiddle(const QLabel* label) {
    const QRect text = label->style()->itemTextRect(label->fontMetrics(), label->contentsRect(),
                                                    int(label->alignment()), true, label->text());
    return label->y() + text.center().y();
}
} // namespace

// Each frame's caption stands on its top line; the line meets no control, at the design size
// and when resized; the captions have room and the two names sit on their boxes' middle line.
void TestRoutingAndLayout::framesClearOfTheirControls_data() {
    QTest::addColumn<QSize>("client");
    QTest::newRow("design size") << QSize(585, 250);
    QTest::newRow("12000 x 6000 twips") << QSize(800, 400);
}

void TestRoutingAndLayout::framesClearOfTheirControls() {
    QFETCH(QSize, client);
    InstallFontSubstitutions(); // the fonts the program draws with, as in main()
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->resize(client + QSize(0, f->client->geometry().top()));
    QTRY_COMPARE(f->client->size(), client);
    f->fraProgressbar->setVisible(true);
    for (auto* frame : f->client->findChildren<CaptionFrame*>()) {
        const QString name = frame->objectName();
        if (!frame->title().isEmpty())
            QCOMPARE(frame->captionRect().center().y(), frame->lineRect().top());
        for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isHidden())
                continue;
            const QString what = name + " / " + child->objectName();
            QVERIFY2(frame->innerRect().contains(child->geometry()), qPrintable(what));
            QVERIFY2(!child->geometry().intersects(frame->captionRect()), qPrintable(what));
        }
    }
    // Room after each caption: before the next control in its row, or before the frame's line.
    constexpr int kRoom = 6;
    const int countLine = static_cast<CaptionFrame*>(f->fraCountSet)->innerRect().right() + 1;
    const std::pair<QWidget*, int> captions[] = {{f->Label4, f->txtMojisu->x()},
                                                 {f->Label6, f->txtSeisei->x()},
                                                 {f->Label1, countLine},
                                                 {f->chkAddAlphabetBig, f->chkDeleteChr->x()},
                                                 {f->chkAddChr, f->txtAddChr->x()},
                                                 {f->chkDeleteChr, f->txtDeleteChr->x()}};
    for (const auto& [caption, obstacle] : captions)
        QVERIFY2(obstacle - textRight(caption) >= kRoom, qPrintable(caption->objectName()));
    QVERIFY(qAbs(textMiddle(f->Label4) - f->txtMojisu->geometry().center().y()) <= 1);
    QVERIFY(qAbs(textMiddle(f->Label6) - f->txtSeisei->geometry().center().y()) <= 1);
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
