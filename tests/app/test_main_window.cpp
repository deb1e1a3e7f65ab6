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
    row("charactersFrame", "CaptionFrame", "client", "含める文字をチェックして下さい", false, true);
    row("digitsBox", "QCheckBox", "charactersFrame", "数字(&N)", false, true);
    row("upperBox", "QCheckBox", "charactersFrame", "アルファベット大文字(&L)", false, true);
    row("lowerBox", "QCheckBox", "charactersFrame", "アルファベット小文字(&F)", false, true);
    row("extraBox", "QCheckBox", "charactersFrame", "任意文字登録(&I)", false, true);
    row("extraText", "QLineEdit", "charactersFrame", "", false, false);
    row("excludeBox", "QCheckBox", "charactersFrame", "任意文字除外(&J)", false, true);
    row("excludeText", "QLineEdit", "charactersFrame", "", false, false);
    row("countsFrame", "CaptionFrame", "client", "", false, true);
    row("lengthLabel", "QLabel", "countsFrame", "文字数(&M)", false, true);
    row("lengthBox", "QLineEdit", "countsFrame", "", false, true);
    row("countLabel", "QLabel", "countsFrame", "生成数(&T)", false, true);
    row("countBox", "QLineEdit", "countsFrame", "", false, true);
    row("rangeHint", "QLabel", "countsFrame", "※[1-99999]の値を入力", false, true);
    row("progressFrame", "CaptionFrame", "client", "", true, true);
    row("progressBar", "QProgressBar", "progressFrame", "", false, true);
    row("statusLabel", "QLabel", "progressFrame", "中...", false, true);
    row("resultList", "ResultListView", "client", "", false, true);
    row("toolBar", "QToolBar", "client", "", false, true);
    row("doneCaption", "QLabel", "client", "生成完了数", false, true);
    row("doneCount", "QLabel", "client", "0", false, true);
    row("topLine", "QFrame", "client", "", false, true);
    row("topLineLight", "QFrame", "client", "", false, true);
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
    const QStringList expected = {"upperBox",   "lowerBox",        "extraBox",
                                  "excludeBox", "noLookAlikesBox", "eachClassBox",
                                  "lengthBox",  "countBox",        "digitsBox"};
    f.box("digitsBox")->setFocus();
    QStringList seen;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);

    // Once enabled, each free-text box follows its check box.
    f.box("extraBox")->setChecked(true);
    f.box("extraBox")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.text("extraText"));

    QTest::keyClick(f.window.get(), Qt::Key_M, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f.lengthBox());
    QTest::keyClick(f.window.get(), Qt::Key_T, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f.countBox());
}

// The toolbar's buttons in order, each with its tooltip and its own image; "" is a separator.
const QStringList kToolTips = {"保存", "印刷", "",     "すべて選択", "コピー", "昇順に並び替え",
                               "",     "実行", "停止", "",           "ヘルプ"};
const QStringList kImages = {"M_Save",  "M_Print", "", "M_AllSelect", "M_Copy", "M_Sort", "",
                             "M_Start", "M_Stop",  "", "M_Help"};

void TestMainWindow::toolbar() {
    WindowFixture f;
    auto* toolBar = Part<QToolBar>(*f.window, "toolBar");
    const QList<QAction*> actions = toolBar->actions();
    QCOMPARE(actions.size(), kToolTips.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QWidget* widget = toolBar->widgetForAction(actions[i]);
        QCOMPARE(widget == nullptr || actions[i]->isSeparator(), kToolTips[i].isEmpty());
        auto* button = qobject_cast<QToolButton*>(widget);
        if (!button)
            continue;
        QCOMPARE(button->defaultAction()->toolTip(), kToolTips[i]);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(button->defaultAction()->icon().cacheKey() != 0, true);
    }
    QCOMPARE(toolBar->iconSize(), QSize(16, 16));
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
    auto* toolBar = Part<QToolBar>(*f.window, "toolBar");
    for (auto* button : toolBar->findChildren<QToolButton*>())
        if (button->defaultAction())
            button->defaultAction()->setEnabled(true); // a disabled image is greyed on purpose
    const QImage shot = toolBar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QList<QAction*> actions = toolBar->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const QString key = kImages[i];
        if (key.isEmpty())
            continue;
        QWidget* button = toolBar->widgetForAction(actions[i]);
        QCOMPARE(button->height(), 22);
        if (key != "M_Sort") // the drop-down arrow stands beside the sort button's 23 pixels
            QCOMPARE(button->width(), 23);
        QVERIFY2(button->geometry().bottom() < toolBar->height(), qPrintable(key));
        const QImage image = QImage(":/icons/" + key).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(16, 16));
        const QRect face(button->geometry().topLeft(), QSize(23, 22));
        QVERIFY2(drawnUnscaled(shot, face, image), qPrintable(key));
    }
}

void TestMainWindow::sortDropDown() {
    WindowFixture f;
    auto* button = qobject_cast<QToolButton*>(
        Part<QToolBar>(*f.window, "toolBar")
            ->widgetForAction(Part<QToolBar>(*f.window, "toolBar")->actions()[5]));
    QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(button->defaultAction(), f.actions().sortAscending);
    QCOMPARE(button->menu()->actions(),
             (QList<QAction*>{f.actions().sortAscending, f.actions().sortDescending}));
}

void TestMainWindow::menuTree_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("shortcuts");
    const QStringList none(6, QString());
    QTest::newRow("pop-up") << "popupMenu"
                            << QStringList{"すべて選択",    "", "コピー", "", "昇順に並び替え",
                                           "降順に並び替え"}
                            << none;
    QTest::newRow("file") << "fileMenu" << QStringList{"保存(&S)", "配布用に書き出す(&D)...",
                                                       "印刷(&P)", "配布用カード(&C)...",
                                                       "",         "終了(&X)"}
                          << QStringList{"Ctrl+S", "", "Ctrl+P", "", "", ""};
    QTest::newRow("edit") << "editMenu"
                          << QStringList{"すべて選択(&A)", "", "コピー(&C)", "", "昇順に並び替え",
                                         "降順に並び替え"}
                          << none;
    QTest::newRow("run") << "runMenu"
                         << QStringList{"開始(&S)", "停止(&E)", "", "重複なし(&U)",
                                        "詳細設定(&O)..."}
                         << QStringList{"F5", "", "", "", ""};
    QTest::newRow("help") << "helpMenu" << QStringList{"ヘルプ(&H)", "", "バージョン情報(&V)"}
                          << QStringList{"F1", "", ""};
}

void TestMainWindow::menuTree() {
    QFETCH(QString, menu);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, shortcuts);
    WindowFixture f;
    const QList<QAction*> actions = f->findChild<QMenu*>(menu)->actions();
    QCOMPARE(actions.size(), captions.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions[i]->isSeparator(), captions[i].isEmpty());
        QCOMPARE(actions[i]->text(), captions[i]);
        QCOMPARE(actions[i]->shortcut().toString(QKeySequence::PortableText), shortcuts.value(i));
    }
}

void TestMainWindow::popupMenuIsNotInMenuBar() {
    WindowFixture f;
    QStringList bar;
    for (QAction* a : f->menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"ファイル(&F)", "編集(&E)", "実行(&R)", "ヘルプ(&H)"}));
    QCOMPARE(Part<QMenu>(*f.window, "popupMenu")->title(), QString("ポップアップメニュー"));
}

void TestMainWindow::firstStartState() {
    WindowFixture f; // no settings file in the fixture's directory
    QCOMPARE(f->windowTitle(), QString("キーミル"));
    QVERIFY(f.box("digitsBox")->isChecked());
    QVERIFY(f.box("upperBox")->isChecked());
    QVERIFY(f.box("lowerBox")->isChecked());
    QVERIFY(!f.box("extraBox")->isChecked());
    QVERIFY(!f.box("excludeBox")->isChecked());
    QVERIFY(!f.text("extraText")->isEnabled());
    QVERIFY(!f.text("excludeText")->isEnabled());
    // Greyed on the button-face colour, not the window colour.
    QCOMPARE(f.text("extraText")->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(f.lengthBox()->text().isEmpty());
    QVERIFY(f.countBox()->text().isEmpty());

    for (QAction* item : {f.actions().save, f.actions().handout, f.actions().print,
                          f.actions().selectAll, f.actions().copy, f.actions().sortAscending,
                          f.actions().sortDescending, f.actions().start, f.actions().stop})
        QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
    for (QAction* item : {f.actions().help, f.actions().about, f.actions().quit})
        QVERIFY(item->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    QCOMPARE(f.list()->resultModel()->columnCount(), 1);
    QCOMPARE(f.list()->resultModel()->headerData(0, Qt::Horizontal).toString(),
             QString("パスワード生成結果"));
    QCOMPARE(f.list()->resultModel()->rowCount(), 0);
    QCOMPARE(f.list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QCOMPARE(f.list()->header()->sectionSize(0), f.list()->viewport()->width());
}

void TestMainWindow::japaneseFontsResolve_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::newRow("statusLabel") << "statusLabel"
                                 << "IPAPGothic" << 20.25;
    QTest::newRow("doneCaption") << "doneCaption"
                                 << "IPAGothic" << 9.0;
    QTest::newRow("doneCount") << "doneCount"
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
