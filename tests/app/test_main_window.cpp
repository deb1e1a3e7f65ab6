// The main window as a user first meets it: controls, captions, keyboard order, menus, toolbar.
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void controls_data();
    void controls();
    void tabOrderAndAccessKeys();
    void toolbar();
    void toolbarImagesUnscaled();
    void sortDropDown();
    void menuTree_data();
    void menuTree();
    void popupMenuIsNotInMenuBar();
    void firstStartState();
    void japaneseFontsResolve_data();
    void japaneseFontsResolve();
};

namespace {
QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return {};
}
} // namespace

void TestMainWindow::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("enabled");

    const auto row = [](const char* name, const char* cls, const char* parent, const char* caption,
                        bool hidden, bool enabled) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(cls)
                            << QString::fromLatin1(parent) << QString::fromUtf8(caption) << hidden
                            << enabled;
    };
    row("fraAddChr", "CaptionFrame", "client", "含める文字をチェックして下さい", false, true);
    row("chkAddSuji", "QCheckBox", "fraAddChr", "数字(&N)", false, true);
    row("chkAddAlphabetBig", "QCheckBox", "fraAddChr", "アルファベット大文字(&L)", false, true);
    row("chkAddAlphabetMini", "QCheckBox", "fraAddChr", "アルファベット小文字(&F)", false, true);
    row("chkAddChr", "QCheckBox", "fraAddChr", "任意文字登録(&I)", false, true);
    row("txtAddChr", "QLineEdit", "fraAddChr", "", false, false);
    row("chkDeleteChr", "QCheckBox", "fraAddChr", "任意文字除外(&J)", false, true);
    row("txtDeleteChr", "QLineEdit", "fraAddChr", "", false, false);
    row("fraCountSet", "CaptionFrame", "client", "", false, true);
    row("Label4", "QLabel", "fraCountSet", "文字数(&M)", false, true);
    row("txtMojisu", "QLineEdit", "fraCountSet", "", false, true);
    row("Label6", "QLabel", "fraCountSet", "生成数(&T)", false, true);
    row("txtSeisei", "QLineEdit", "fraCountSet", "", false, true);
    row("Label1", "QLabel", "fraCountSet", "※[1-99999]の値を入力", false, true);
    row("fraProgressbar", "CaptionFrame", "client", "", true, true);
    row("prgCount", "QProgressBar", "fraProgressbar", "", false, true);
    row("lblStatus", "QLabel", "fraProgressbar", "中...", false, true);
    row("lstSagyo", "QListWidget", "client", "", true, false);
    row("lvwPW", "ResultListView", "client", "", false, true);
    row("tlbMain", "QToolBar", "client", "", false, true);
    row("lblKanryo", "QLabel", "client", "生成完了数", false, true);
    row("lblProgressbar", "QLabel", "client", "0", false, true);
    row("Line1", "QFrame", "client", "", false, true);
    row("Line2", "QFrame", "client", "", false, true);
}

void TestMainWindow::controls() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QString, caption);
    QFETCH(bool, hidden);
    QFETCH(bool, enabled);

    WindowFixture f;
    auto* w = f->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
    QCOMPARE(w->parentWidget()->objectName(), parentName);
    QCOMPARE(captionOf(w), caption);
    QCOMPARE(w->isHidden(), hidden);
    QCOMPARE(w->isEnabled(), enabled);
}

void TestMainWindow::tabOrderAndAccessKeys() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QApplication::setActiveWindow(f.window.get());

    // The free-text boxes are disabled at first, the list and toolbar are skipped by Tab;
    // the two policies follow the excluded characters.
    const QStringList expected = {"chkAddAlphabetBig", "chkAddAlphabetMini", "chkAddChr",
                                  "chkDeleteChr",      "chkNoSimilar",       "chkEachClass",
                                  "txtMojisu",         "txtSeisei",          "chkAddSuji"};
    f->chkAddSuji->setFocus();
    QStringList seen;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);

    // Once enabled, each free-text box follows its check box.
    f->chkAddChr->setChecked(true);
    f->chkAddChr->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f->txtAddChr);

    QTest::keyClick(f.window.get(), Qt::Key_M, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f->txtMojisu);
    QTest::keyClick(f.window.get(), Qt::Key_T, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f->txtSeisei);
}

void TestMainWindow::toolbar() {
    WindowFixture f;
    const QStringList keys = {"M_Save",  "M_Print", "", "M_AllSelect", "M_Copy", "M_Sort", "",
                              "M_Start", "M_Stop",  "", "M_Help"};
    const QStringList tips = {"保存", "印刷", "",     "すべて選択", "コピー", "昇順に並び替え",
                              "",     "実行", "停止", "",           "ヘルプ"};
    const QList<QAction*> actions = f->tlbMain->actions();
    QCOMPARE(actions.size(), keys.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction* a = actions[i];
        QCOMPARE(a->isSeparator(), keys[i].isEmpty());
        if (a->isSeparator())
            continue;
        QCOMPARE(a->property("CommandKey").toString(), keys[i]);
        QCOMPARE(a->toolTip(), tips[i]);
        QVERIFY2(!a->icon().isNull(), qPrintable(keys[i]));
        auto* button = qobject_cast<QToolButton*>(f->tlbMain->widgetForAction(a));
        QVERIFY(button);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
    QCOMPARE(f->tlbMain->iconSize(), QSize(16, 16));
    // The image list holds nine images, "M_Open" among them although no button shows it.
    QCOMPARE(f->ilsMain.size(), 9);
    for (const QIcon& image : f->ilsMain)
        QCOMPARE(image.pixmap(16, 16).size(), QSize(16, 16));
}

namespace {
// Whether the image's opaque pixels appear unchanged, unscaled, somewhere inside the area.
bool drawnUnscaled(const QImage& shot, const QRect& area, const QImage& image) {
    for (int y = area.top(); y + image.height() <= area.bottom() + 1; ++y)
        for (int x = area.left(); x + image.width() <= area.right() + 1; ++x) {
            bool same = true;
            for (int iy = 0; same && iy < image.height(); ++iy)
                for (int ix = 0; same && ix < image.width(); ++ix) {
                    const QRgb source = image.pixel(ix, iy);
                    same = qAlpha(source) < 255 || shot.pixel(x + ix, y + iy) == source;
                }
            if (same)
                return true;
        }
    return false;
}
} // namespace

// Every button shows its 16 x 16 image pixel for pixel on a 23 x 22 button.
void TestMainWindow::toolbarImagesUnscaled() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    for (QAction* a : f->tlbMain->actions())
        a->setEnabled(true); // a disabled image is greyed on purpose
    const QImage shot = f->tlbMain->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QAction* a : f->tlbMain->actions()) {
        if (a->isSeparator())
            continue;
        const QString key = a->property("CommandKey").toString();
        QWidget* button = f->tlbMain->widgetForAction(a);
        QCOMPARE(button->height(), 22);
        if (key != "M_Sort") // the drop-down arrow stands beside the sort button's 23 pixels
            QCOMPARE(button->width(), 23);
        QVERIFY2(button->geometry().bottom() < f->tlbMain->height(), qPrintable(key));
        const QImage image = QImage(":/icons/" + key).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(16, 16));
        const QRect face(button->geometry().topLeft(), QSize(23, 22));
        QVERIFY2(drawnUnscaled(shot, face, image), qPrintable(key));
    }
}

void TestMainWindow::sortDropDown() {
    WindowFixture f;
    QAction* sort = f->toolbarButton("M_Sort");
    QVERIFY(sort && sort->menu());
    const QList<QAction*> items = sort->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QString("昇順に並び替え"));
    QCOMPARE(items[0]->property("CommandKey").toString(), QString("M_SortAsc"));
    QCOMPARE(items[1]->text(), QString("降順に並び替え"));
    QCOMPARE(items[1]->property("CommandKey").toString(), QString("M_SortDesc"));
    auto* button = qobject_cast<QToolButton*>(f->tlbMain->widgetForAction(sort));
    QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
}

void TestMainWindow::menuTree_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("shortcuts");

    QTest::newRow("mnuPopup") << "mnuPopup" << QStringList{"mnuPopupAllSelect", "mnuPouupLine1",
                                                           "mnuPopupCopy",      "mnuPouupLine2",
                                                           "mnuPopupSortAsc",   "mnuPopupSortDesc"}
                              << QStringList{"すべて選択",    "", "コピー", "", "昇順に並び替え",
                                             "降順に並び替え"}
                              << QStringList{"", "", "", "", "", ""};
    QTest::newRow("mnuFile") << "mnuFile"
                             << QStringList{"mnuFileSave", "mnuFilePrint", "mnuFileLine",
                                            "mnuFileEnd"}
                             << QStringList{"保存(&S)", "印刷(&P)", "", "終了(&X)"}
                             << QStringList{"Ctrl+S", "Ctrl+P", "", ""};
    QTest::newRow("mnuHensyu")
        << "mnuHensyu" << QStringList{"mnuHensyuAllSelect", "mnuHensyuLine1",   "mnuHensyuCopy",
                                      "mnuHensyuLine2",     "mnuHensyuSortAsc", "mnuHensyuSortDesc"}
        << QStringList{"すべて選択(&A)", "", "コピー(&C)", "", "昇順に並び替え", "降順に並び替え"}
        << QStringList{"", "", "", "", "", ""};
    QTest::newRow("mnuRun") << "mnuRun" << QStringList{"mnuRunStart", "mnuRunStop"}
                            << QStringList{"開始(&S)", "停止(&E)"} << QStringList{"F5", ""};
    QTest::newRow("mnuHelp") << "mnuHelp"
                             << QStringList{"mnuHelpHelp", "mnuHelpLine1", "mnuHelpVersion"}
                             << QStringList{"ヘルプ(&H)", "", "バージョン情報(&V)"}
                             << QStringList{"F1", "", ""};
}

void TestMainWindow::menuTree() {
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, shortcuts);

    WindowFixture f;
    auto* m = f->findChild<QMenu*>(menu);
    QVERIFY(m);
    const QList<QAction*> actions = m->actions();
    QCOMPARE(actions.size(), items.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions[i]->objectName(), items[i]);
        QCOMPARE(actions[i]->isSeparator(), captions[i].isEmpty());
        if (!actions[i]->isSeparator())
            QCOMPARE(actions[i]->text(), captions[i]);
        QCOMPARE(actions[i]->shortcut().toString(QKeySequence::PortableText), shortcuts[i]);
    }
}

void TestMainWindow::popupMenuIsNotInMenuBar() {
    WindowFixture f;
    QStringList bar;
    for (QAction* a : f->menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"ファイル(&F)", "編集(&E)", "実行(&R)", "ヘルプ(&H)"}));
    QCOMPARE(f->mnuPopup->title(), QString("ポップアップメニュー"));
}

void TestMainWindow::firstStartState() {
    WindowFixture f; // no settings file in the fixture's directory
    QCOMPARE(f->windowTitle(), QString("キーミル"));
    QVERIFY(f->chkAddSuji->isChecked());
    QVERIFY(f->chkAddAlphabetBig->isChecked());
    QVERIFY(f->chkAddAlphabetMini->isChecked());
    QVERIFY(!f->chkAddChr->isChecked());
    QVERIFY(!f->chkDeleteChr->isChecked());
    QVERIFY(!f->txtAddChr->isEnabled());
    QVERIFY(!f->txtDeleteChr->isEnabled());
    // Greyed on the button-face colour, not the window colour.
    QCOMPARE(f->txtAddChr->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(f->txtMojisu->text().isEmpty());
    QVERIFY(f->txtSeisei->text().isEmpty());

    for (const char* key :
         {"M_Save", "M_Print", "M_AllSelect", "M_Copy", "M_Sort", "M_Start", "M_Stop"})
        QVERIFY2(!f->toolbarButton(key)->isEnabled(), key);
    QVERIFY(f->toolbarButton("M_Help")->isEnabled());
    for (QAction* item : {f->mnuFileSave, f->mnuFilePrint, f->mnuHensyuAllSelect, f->mnuHensyuCopy,
                          f->mnuHensyuSortAsc, f->mnuHensyuSortDesc, f->mnuRunStart, f->mnuRunStop})
        QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
    for (QAction* item : {f->mnuHelpHelp, f->mnuHelpVersion, f->mnuFileEnd})
        QVERIFY(item->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    QCOMPARE(f->lvwPW->resultModel()->columnCount(), 1);
    QCOMPARE(f->lvwPW->resultModel()->headerData(0, Qt::Horizontal).toString(),
             QString("パスワード生成結果"));
    QCOMPARE(f->lvwPW->resultModel()->rowCount(), 0);
    QCOMPARE(f->lvwPW->selectionMode(), QAbstractItemView::ExtendedSelection);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QCOMPARE(f->lvwPW->header()->sectionSize(0), f->lvwPW->viewport()->width());
}

void TestMainWindow::japaneseFontsResolve_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::newRow("lblStatus") << "lblStatus"
                               << "IPAPGothic" << 20.25;
    QTest::newRow("lblKanryo") << "lblKanryo"
                               << "IPAGothic" << 9.0;
    QTest::newRow("lblProgressbar") << "lblProgressbar"
                                    << "IPAGothic" << 9.0;
}

void TestMainWindow::japaneseFontsResolve() {
    QFETCH(QString, label);
    QFETCH(QString, family);
    QFETCH(double, points);
    WindowFixture f;
    auto* l = f->findChild<QLabel*>(label);
    QCOMPARE(QFontInfo(l->font()).family(), family);
    QCOMPARE(l->font().pointSizeF(), points);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
