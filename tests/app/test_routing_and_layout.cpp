// The toolbar and the list's pop-up reach the commands; the window keeps its layout as it is
// resized.
#include "CaptionFrame.h"
#include "HandoutDialog.h"
#include "HelpCommand.h"
#include "MainLayout.h"
#include "PasswordFont.h"
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
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestRoutingAndLayout : public QObject {
    Q_OBJECT
private slots:
    void toolbarKeys_data();
    void toolbarKeys();
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
    void handoutSavesPairs();
};

namespace {
// After a completed run of "9", "10", "100": results the commands can act on.
void fillWithKnownList(WindowFixture& f) {
    f.lengthBox()->setText("3");
    f.countBox()->setText("3");
    f.run();
    ResultListModel* model = f.list()->resultModel();
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
        return QString::number(f.list()->selectionModel()->selectedRows().size());
    if (command == "order")
        return f.list()->resultModel()->texts().join(',');
    if (command == "help")
        return QString::number(OpenHelpWindowCount());
    return {};
}

void copyHelpFileInto(const QString& dir) {
    const QString built = qEnvironmentVariable("KEYMILL_BUILD_DIR") + "/keymill.qch";
    QVERIFY2(QFile::copy(built, dir + "/keymill.qch"), qPrintable(built));
}
} // namespace

// Each button by its place on the toolbar; the sort button's drop-down items after it.
void TestRoutingAndLayout::toolbarKeys_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<int>("dropDownItem"); // -1: the button itself
    QTest::addColumn<QString>("observed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("保存") << 0 << -1 << "save"
                          << "1";
    QTest::newRow("印刷") << 1 << -1 << "print"
                          << "1";
    QTest::newRow("すべて選択") << 3 << -1 << "selection"
                                << "3";
    QTest::newRow("コピー") << 4 << -1 << "copy"
                            << "10"; // only the second row is selected
    QTest::newRow("並び替え") << 5 << -1 << "order"
                              << "10,100,9";
    QTest::newRow("昇順") << 5 << 0 << "order"
                          << "10,100,9";
    QTest::newRow("降順") << 5 << 1 << "order"
                          << "9,100,10";
    QTest::newRow("ヘルプ") << 10 << -1 << "help"
                            << "1";
}

void TestRoutingAndLayout::toolbarKeys() {
    QFETCH(int, place);
    QFETCH(int, dropDownItem);
    QFETCH(QString, observed);
    QFETCH(QString, expected);
    WindowFixture f;
    copyHelpFileInto(f.dir.path());
    fillWithKnownList(f);
    f.list()->selectionModel()->select(f.list()->resultModel()->index(1, 0),
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

    auto* toolBar = Part<QToolBar>(*f.window, "toolBar");
    auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(toolBar->actions()[place]));
    QVERIFY(button);
    if (dropDownItem >= 0)
        button->menu()->actions()[dropDownItem]->trigger();
    else
        button->click();
    QCOMPARE(observe(f, observed, saves, prints), expected);
    CloseAllHelpWindows();
}

void TestRoutingAndLayout::popupItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("observed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("すべて選択") << "selectAllPopup"
                                << "selection"
                                << "3";
    QTest::newRow("コピー") << "copyPopup"
                            << "copy"
                            << "10";
    QTest::newRow("昇順") << "sortAscending"
                          << "order"
                          << "10,100,9";
    QTest::newRow("降順") << "sortDescending"
                          << "order"
                          << "9,100,10";
}

void TestRoutingAndLayout::popupItems() {
    QFETCH(QString, item);
    QFETCH(QString, observed);
    QFETCH(QString, expected);
    WindowFixture f;
    fillWithKnownList(f);
    f.list()->selectionModel()->select(f.list()->resultModel()->index(1, 0),
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
    const QModelIndex second = f.list()->resultModel()->index(1, 0);
    f.list()->selectionModel()->setCurrentIndex(second, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    if (selectAllFirst)
        f.actions().selectAll->trigger();
    QApplication::clipboard()->clear();
    QTest::keyClick(f.list(), Qt::Key(key), Qt::ControlModifier);
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
    f.lengthBox()->setText("5");
    f.countBox()->setText("4");
    if (state == "stopped") {
        f.run([&](int) { f.actions().stop->trigger(); });
    } else if (state == "empty pool") {
        f.box("excludeBox")->setChecked(true);
        f.text("excludeText")
            ->setText("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        f.run();
    } else if (state == "completed") {
        f.run();
    }
    QMenu* shown = nullptr;
    QPoint at;
    f->showPopupMenu = [&](QMenu* menu, const QPoint& pos) {
        shown = menu;
        at = pos;
    };
    const QPoint click(20, 5);
    QTest::mouseClick(f.list()->viewport(), Qt::MouseButton(button), {}, click);
    QCOMPARE(shown != nullptr, offered);
    if (offered) {
        QCOMPARE(shown, Part<QMenu>(*f.window, "popupMenu"));
        QCOMPARE(at, f.list()->viewport()->mapToGlobal(click));
    }
}

void TestRoutingAndLayout::tooSmallWindowGrowsBack() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f->resize(300, 120);
    QTRY_COMPARE(f.part("client")->size(), QSize(585, 250));
    const MainLayout design = ComputeMainLayout(8775, 3750);
    QCOMPARE(f.part("charactersFrame")->geometry(), TwipsToPixels(design.charactersFrame));
    QCOMPARE(f.list()->geometry(), TwipsToPixels(design.resultList));
    QCOMPARE(f.label("doneCount")->geometry(), TwipsToPixels(design.doneCount));
}

void TestRoutingAndLayout::layoutFollowsSize() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const QSize menuBar(0, f.part("client")->geometry().top());
    f->resize(QSize(800, 400) + menuBar);
    QTRY_COMPARE(f.part("client")->size(), QSize(800, 400));
    const MainLayout wide = ComputeMainLayout(12000, 6000);
    QCOMPARE(f.part("countsFrame")->geometry(), TwipsToPixels(wide.countsFrame));
    QCOMPARE(f.text("excludeText")->geometry(), TwipsToPixels(wide.excludeText));
    QCOMPARE(f.part("progressFrame")->geometry(), TwipsToPixels(wide.progressFrame));
    QCOMPARE(f.list()->geometry(), TwipsToPixels(wide.resultList));
    QCOMPARE(f.label("doneCaption")->geometry(), TwipsToPixels(wide.doneCaption));
    QCOMPARE(Part<QToolBar>(*f.window, "toolBar")->width(), 800);
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
    f->resize(client + QSize(0, f.part("client")->geometry().top()));
    QTRY_COMPARE(f.part("client")->size(), client);
    f.part("progressFrame")->setVisible(true);
    for (auto* frame : f.part("client")->findChildren<CaptionFrame*>()) {
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
    const int countLine =
        static_cast<CaptionFrame*>(f.part("countsFrame"))->innerRect().right() + 1;
    const std::pair<QWidget*, int> captions[] = {{f.label("lengthLabel"), f.lengthBox()->x()},
                                                 {f.label("countLabel"), f.countBox()->x()},
                                                 {f.label("rangeHint"), countLine},
                                                 {f.box("upperBox"), f.box("excludeBox")->x()},
                                                 {f.box("extraBox"), f.text("extraText")->x()},
                                                 {f.box("excludeBox"), f.text("excludeText")->x()}};
    for (const auto& [caption, obstacle] : captions)
        QVERIFY2(obstacle - textRight(caption) >= kRoom, qPrintable(caption->objectName()));
    QVERIFY(qAbs(textMiddle(f.label("lengthLabel")) - f.lengthBox()->geometry().center().y()) <= 1);
    QVERIFY(qAbs(textMiddle(f.label("countLabel")) - f.countBox()->geometry().center().y()) <= 1);
}

void TestRoutingAndLayout::resizeDuringRunPlacesFrameAndHiddenList() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.lengthBox()->setText("3");
    f.countBox()->setText("20");
    const QSize menuBar(0, f.part("client")->geometry().top());
    bool listStayedHidden = false;
    QRect frame, list;
    int slices = 0;
    f->runController().maxPasswordsPerSlice = 1;
    f.run([&](int) {
        if (++slices != 5)
            return;
        f->resize(QSize(800, 400) + menuBar);
        QApplication::processEvents();
        listStayedHidden = f.list()->isHidden() && !f.part("progressFrame")->isHidden();
        frame = f.part("progressFrame")->geometry();
        list = f.list()->geometry();
    });
    QVERIFY(listStayedHidden);
    const QRect expected = TwipsToPixels(ComputeMainLayout(12000, 6000).progressFrame);
    QCOMPARE(frame, expected);
    QCOMPARE(list, expected);
}

void TestRoutingAndLayout::resizeKeepsTheListFocused() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QApplication::setActiveWindow(f.window.get());
    f.lengthBox()->setText("8");
    f.countBox()->setText("30");
    f.run();
    QCOMPARE(QApplication::focusWidget(), f.list());
    const int wider = f.part("client")->width() + 120;
    f->resize(f->size() + QSize(120, 80));
    QTRY_COMPARE(f.part("client")->width(), wider);
    QCOMPARE(QApplication::focusWidget(), f.list());
}

void TestRoutingAndLayout::helpDuringRunAndClosedAtShutDown() {
    WindowFixture f;
    copyHelpFileInto(f.dir.path());
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.lengthBox()->setText("3");
    f.countBox()->setText("20");
    bool helpEnabled = false;
    f->runController().maxPasswordsPerSlice = 1;
    f.run([&](int drawn) {
        if (drawn == 5) {
            helpEnabled = f.actions().help->isEnabled();
            f.actions().help->trigger();
        }
    });
    QVERIFY(helpEnabled);
    QCOMPARE(OpenHelpWindowCount(), 1);
    QCOMPARE(f.list()->resultModel()->count(), 20); // help does not disturb the run
    f.actions().quit->trigger();
    QCOMPARE(OpenHelpWindowCount(), 0);
}

// 配布用に書き出す pairs pasted accounts with the list's passwords in a csv file.
void TestRoutingAndLayout::handoutSavesPairs() {
    WindowFixture f;
    fillWithKnownList(f);
    f->actions().handout->trigger();
    auto* dialog = f->findChild<HandoutDialog*>();
    QVERIFY(dialog);
    const QString path = f.dir.filePath("pairs.csv");
    dialog->askSaveFile = [&](QWidget*, const QString&) { return path; };
    dialog->showError = [](QWidget*, const QString& text) { QFAIL(qPrintable(text)); };
    Part<QPlainTextEdit>(*dialog, "pasteBox")->setPlainText("山田太郎\nO'Brien\na,b\n");
    // The preview sets passwords in their own face, in rows no taller than their text needs.
    auto* preview = dialog->findChild<QTableWidget*>();
    QCOMPARE(preview->item(0, 1)->font().family(), PasswordFont(9).family());
    QVERIFY(preview->rowHeight(0) < preview->verticalHeader()->defaultSectionSize());
    Part<QPushButton>(*dialog, "saveButton")->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QStringLiteral("\uFEFFaccount,password\r\n山田太郎,9\r\nO'Brien,10\r\n\"a,b\",100\r\n")
                 .toUtf8());
    dialog->close();
}

QTEST_MAIN(TestRoutingAndLayout)
#include "test_routing_and_layout.moc"
