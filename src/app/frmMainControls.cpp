// Building the main window: controls, menus and toolbar as the user knows them.
#include "frmMain.h"

#include "CaptionFrame.h"
#include "FreeTextBox.h"
#include "PasswordLimits.h"
#include "ResultListView.h"

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <limits>

namespace {

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// The extra and excluded characters (see FreeTextBox).
QLineEdit* makeFreeTextBox(QWidget* parent, const char* name) {
    auto* box = new FreeTextBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new CaptionFrame(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

QAction* makeMenuItem(QMenu* menu, const char* name, const QString& caption,
                      const QKeySequence& shortcut = {}) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    return item;
}

QAction* makeSeparator(QMenu* menu, const char* name) {
    QAction* line = menu->addSeparator();
    line->setObjectName(QString::fromLatin1(name));
    return line;
}

QFont fixedGothic(double points) {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}
} // namespace

void frmMain::createControls() {
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // Line1 and Line2 lie along the top edge, under the toolbar.
    Line1 = new QFrame(client);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line2 = new QFrame(client);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setFrameShape(QFrame::HLine);
    Line2->setFrameShadow(QFrame::Plain);
    Line2->setStyleSheet(QStringLiteral("color: palette(light);"));

    createToolbar();
    createOptionFrames();
    createProgressAndResults();

    lstSagyo = new QListWidget(client);
    lstSagyo->setObjectName(QStringLiteral("lstSagyo"));
    lstSagyo->setEnabled(false);
    lstSagyo->setVisible(false);

    lblKanryo = makeLabel(client, "lblKanryo", QStringLiteral("生成完了数"));
    lblKanryo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblKanryo->setFont(fixedGothic(9));
    lblProgressbar = makeLabel(client, "lblProgressbar", QStringLiteral("0"));
    lblProgressbar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblProgressbar->setFont(fixedGothic(9));

    createPolicyControls();
    createMenus();
    setTabOrderAsDesigned();
    placeAtDesignPositions();
    placePolicyControls();
}

void frmMain::createOptionFrames() {
    fraAddChr = makeFrame(client, "fraAddChr", QStringLiteral("含める文字をチェックして下さい"));
    chkAddSuji = makeCheckBox(fraAddChr, "chkAddSuji", QStringLiteral("数字(&N)"), true);
    chkAddAlphabetBig = makeCheckBox(fraAddChr, "chkAddAlphabetBig",
                                     QStringLiteral("アルファベット大文字(&L)"), true);
    chkAddAlphabetMini = makeCheckBox(fraAddChr, "chkAddAlphabetMini",
                                      QStringLiteral("アルファベット小文字(&F)"), true);
    // Alt+F belongs to the File menu, as on every desktop; the check box keeps its underlined
    // letter but gives up the key, which would otherwise only move the focus to it.
    chkAddAlphabetMini->setShortcut(QKeySequence());
    chkAddChr = makeCheckBox(fraAddChr, "chkAddChr", QStringLiteral("任意文字登録(&I)"), false);
    txtAddChr = makeFreeTextBox(fraAddChr, "txtAddChr");
    txtAddChr->setEnabled(false);
    chkDeleteChr =
        makeCheckBox(fraAddChr, "chkDeleteChr", QStringLiteral("任意文字除外(&J)"), false);
    txtDeleteChr = makeFreeTextBox(fraAddChr, "txtDeleteChr");
    txtDeleteChr->setEnabled(false);

    fraCountSet = makeFrame(client, "fraCountSet", QString());
    Label4 = makeLabel(fraCountSet, "Label4", QStringLiteral("文字数(&M)"));
    txtMojisu = makeTextBox(fraCountSet, "txtMojisu");
    Label6 = makeLabel(fraCountSet, "Label6", QStringLiteral("生成数(&T)"));
    txtSeisei = makeTextBox(fraCountSet, "txtSeisei");
    Label1 = makeLabel(fraCountSet, "Label1", QStringLiteral("※[1-99999]の値を入力"));
    Label4->setBuddy(txtMojisu);
    Label6->setBuddy(txtSeisei);
    for (QLineEdit* numberBox : {txtMojisu, txtSeisei}) {
        numberBox->setMaxLength(kNumberBoxDigits); // also holds against paste
        numberBox->setAttribute(Qt::WA_InputMethodEnabled, false);
        numberBox->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin);
        numberBox->installEventFilter(this);
    }

    connect(chkAddSuji, &QCheckBox::stateChanged, this, [this] { chkAddSuji_Click(); });
    connect(chkAddAlphabetBig, &QCheckBox::stateChanged, this,
            [this] { chkAddAlphabetBig_Click(); });
    connect(chkAddAlphabetMini, &QCheckBox::stateChanged, this,
            [this] { chkAddAlphabetMini_Click(); });
    connect(chkAddChr, &QCheckBox::stateChanged, this, [this] { chkAddChr_Click(); });
    connect(chkDeleteChr, &QCheckBox::stateChanged, this, [this] { chkDeleteChr_Click(); });
    connect(txtAddChr, &QLineEdit::textChanged, this, [this] { txtAddChr_Change(); });
    connect(txtDeleteChr, &QLineEdit::textChanged, this, [this] { txtDeleteChr_Change(); });
    connect(txtMojisu, &QLineEdit::textChanged, this, [this] { txtMojisu_Change(); });
    connect(txtSeisei, &QLineEdit::textChanged, this, [this] { txtSeisei_Change(); });
}

void frmMain::createProgressAndResults() {
    fraProgressbar = makeFrame(client, "fraProgressbar", QString());
    fraProgressbar->setVisible(false);
    prgCount = new QProgressBar(fraProgressbar);
    prgCount->setObjectName(QStringLiteral("prgCount"));
    prgCount->setRange(0, 100);
    prgCount->setValue(0);
    prgCount->setTextVisible(false);
    lblStatus = makeLabel(fraProgressbar, "lblStatus", QStringLiteral("中..."));
    lblStatus->setAlignment(Qt::AlignCenter);
    QFont statusFont(QStringLiteral("ＭＳ Ｐゴシック"));
    statusFont.setPointSizeF(20.25);
    statusFont.setWeight(QFont::Normal);
    lblStatus->setFont(statusFont);

    lvwPW = new ResultListView(client);
    lvwPW->setObjectName(QStringLiteral("lvwPW"));
    connect(lvwPW, &ResultListView::mouseDown, this, &frmMain::lvwPW_MouseDown);
}

void frmMain::createMenus() {
    // The pop-up menu never appears in the menu bar; the list offers it on a right click.
    mnuPopup = new QMenu(QStringLiteral("ポップアップメニュー"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPopupAllSelect = makeMenuItem(mnuPopup, "mnuPopupAllSelect", QStringLiteral("すべて選択"));
    mnuPouupLine1 = makeSeparator(mnuPopup, "mnuPouupLine1");
    mnuPopupCopy = makeMenuItem(mnuPopup, "mnuPopupCopy", QStringLiteral("コピー"));
    mnuPouupLine2 = makeSeparator(mnuPopup, "mnuPouupLine2");
    mnuPopupSortAsc = makeMenuItem(mnuPopup, "mnuPopupSortAsc", QStringLiteral("昇順に並び替え"));
    mnuPopupSortDesc = makeMenuItem(mnuPopup, "mnuPopupSortDesc", QStringLiteral("降順に並び替え"));

    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileSave = makeMenuItem(mnuFile, "mnuFileSave", QStringLiteral("保存(&S)"),
                               QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFilePrint = makeMenuItem(mnuFile, "mnuFilePrint", QStringLiteral("印刷(&P)"),
                                QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFileLine = makeSeparator(mnuFile, "mnuFileLine");
    mnuFileEnd = makeMenuItem(mnuFile, "mnuFileEnd", QStringLiteral("終了(&X)"));

    mnuHensyu = bar->addMenu(QStringLiteral("編集(&E)"));
    mnuHensyu->setObjectName(QStringLiteral("mnuHensyu"));
    mnuHensyuAllSelect =
        makeMenuItem(mnuHensyu, "mnuHensyuAllSelect", QStringLiteral("すべて選択(&A)"));
    mnuHensyuLine1 = makeSeparator(mnuHensyu, "mnuHensyuLine1");
    mnuHensyuCopy = makeMenuItem(mnuHensyu, "mnuHensyuCopy", QStringLiteral("コピー(&C)"));
    mnuHensyuLine2 = makeSeparator(mnuHensyu, "mnuHensyuLine2");
    mnuHensyuSortAsc =
        makeMenuItem(mnuHensyu, "mnuHensyuSortAsc", QStringLiteral("昇順に並び替え"));
    mnuHensyuSortDesc =
        makeMenuItem(mnuHensyu, "mnuHensyuSortDesc", QStringLiteral("降順に並び替え"));

    mnuRun = bar->addMenu(QStringLiteral("実行(&R)"));
    mnuRun->setObjectName(QStringLiteral("mnuRun"));
    mnuRunStart =
        makeMenuItem(mnuRun, "mnuRunStart", QStringLiteral("開始(&S)"), QKeySequence(Qt::Key_F5));
    mnuRunStop = makeMenuItem(mnuRun, "mnuRunStop", QStringLiteral("停止(&E)"));

    mnuHelp = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpHelp = makeMenuItem(mnuHelp, "mnuHelpHelp", QStringLiteral("ヘルプ(&H)"),
                               QKeySequence(Qt::Key_F1));
    mnuHelpLine1 = makeSeparator(mnuHelp, "mnuHelpLine1");
    mnuHelpVersion = makeMenuItem(mnuHelp, "mnuHelpVersion", QStringLiteral("バージョン情報(&V)"));

    connect(mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
    connect(mnuFilePrint, &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    connect(mnuFileEnd, &QAction::triggered, this, &frmMain::mnuFileEnd_Click);
    connect(mnuHensyuAllSelect, &QAction::triggered, this, &frmMain::mnuHensyuAllSelect_Click);
    connect(mnuHensyuCopy, &QAction::triggered, this, &frmMain::mnuHensyuCopy_Click);
    connect(mnuHensyuSortAsc, &QAction::triggered, this, &frmMain::mnuHensyuSortAsc_Click);
    connect(mnuHensyuSortDesc, &QAction::triggered, this, &frmMain::mnuHensyuSortDesc_Click);
    connect(mnuRunStart, &QAction::triggered, this, &frmMain::mnuRunStart_Click);
    connect(mnuRunStop, &QAction::triggered, this, &frmMain::mnuRunStop_Click);
    connect(mnuHelpHelp, &QAction::triggered, this, &frmMain::mnuHelpHelp_Click);
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::mnuHelpVersion_Click);
    connect(mnuPopupAllSelect, &QAction::triggered, this, &frmMain::mnuPopupAllSelect_Click);
    connect(mnuPopupCopy, &QAction::triggered, this, &frmMain::mnuPopupCopy_Click);
    connect(mnuPopupSortAsc, &QAction::triggered, this, &frmMain::mnuPopupSortAsc_Click);
    connect(mnuPopupSortDesc, &QAction::triggered, this, &frmMain::mnuPopupSortDesc_Click);

    // The list's copy and select-all keys are the Edit menu's commands, enabled as they are.
    connect(lvwPW, &ResultListView::copyKeyPressed, mnuHensyuCopy, &QAction::trigger);
    connect(lvwPW, &ResultListView::selectAllKeyPressed, mnuHensyuAllSelect, &QAction::trigger);
}

void frmMain::createToolbar() {
    static const char* const kImageKeys[] = {"M_Open",  "M_Save", "M_Print",
                                             "M_Start", "M_Stop", "M_AllSelect",
                                             "M_Copy",  "M_Sort", "M_Help"};
    for (const char* key : kImageKeys) {
        const QString k = QString::fromLatin1(key);
        ilsMain.insert(k, QIcon(QStringLiteral(":/icons/") + k));
    }

    tlbMain = new QToolBar(client);
    tlbMain->setObjectName(QStringLiteral("tlbMain"));
    tlbMain->setIconSize(QSize(16, 16));
    tlbMain->setMovable(false);
    tlbMain->setFloatable(false);
    tlbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);

    // Place, key, tooltip; an empty key is a separator.
    static const struct {
        const char* key;
        const char* tooltip;
    } kButtons[] = {{"M_Save", "保存"},   {"M_Print", "印刷"},
                    {nullptr, nullptr},   {"M_AllSelect", "すべて選択"},
                    {"M_Copy", "コピー"}, {"M_Sort", "昇順に並び替え"},
                    {nullptr, nullptr},   {"M_Start", "実行"},
                    {"M_Stop", "停止"},   {nullptr, nullptr},
                    {"M_Help", "ヘルプ"}};
    for (const auto& b : kButtons) {
        if (!b.key) {
            tlbMain->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* button = tlbMain->addAction(ilsMain.value(key), QString::fromUtf8(b.tooltip));
        button->setObjectName(key);
        button->setToolTip(QString::fromUtf8(b.tooltip));
        button->setProperty(frmMain::kCommandKeyProperty, key);
        toolbarButtons_.insert(key, button);
    }

    tlbSortMenu = new QMenu(this);
    tlbSortMenu->setObjectName(QStringLiteral("tlbSortMenu"));
    for (const auto& [key, caption] :
         {std::pair{"M_SortAsc", "昇順に並び替え"}, std::pair{"M_SortDesc", "降順に並び替え"}}) {
        QAction* item = tlbSortMenu->addAction(QString::fromUtf8(caption));
        item->setObjectName(QString::fromLatin1(key));
        item->setProperty(frmMain::kCommandKeyProperty, QString::fromLatin1(key));
        toolbarButtons_.insert(QString::fromLatin1(key), item);
    }
    QAction* sort = toolbarButtons_.value(QStringLiteral("M_Sort"));
    sort->setMenu(tlbSortMenu);
    if (auto* sortButton = qobject_cast<QToolButton*>(tlbMain->widgetForAction(sort)))
        sortButton->setPopupMode(QToolButton::MenuButtonPopup);
    sizeToolbarButtons();

    // The drop-down's choices have their own route; the toolbar reports only button clicks.
    connect(tlbSortMenu, &QMenu::triggered, this, &frmMain::tlbMain_ButtonMenuClick);
    connect(tlbMain, &QToolBar::actionTriggered, this, [this](QAction* a) {
        if (!tlbSortMenu->actions().contains(a))
            tlbMain_ButtonClick(a);
    });
}

// Each image is drawn at its own 16 x 16 pixels, never scaled, on a button of the standard size
// for such images, 23 x 22; the toolbar's 24 pixels leave one above and one below. Left to the
// style, the buttons shrink to the toolbar's inner height and the images are scaled down.
void frmMain::sizeToolbarButtons() {
    constexpr QSize kButtonSize(23, 22);
    tlbMain->layout()->setContentsMargins(0, 1, 0, 1);
    tlbMain->layout()->setSpacing(0);
    for (QAction* action : tlbMain->actions()) {
        auto* button = qobject_cast<QToolButton*>(tlbMain->widgetForAction(action));
        if (!button)
            continue;
        QSize size = kButtonSize;
        if (button->popupMode() == QToolButton::MenuButtonPopup) // the drop-down arrow beside
            size.rwidth() += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator);
        button->setFixedSize(size);
    }
}

QAction* frmMain::toolbarButton(const QString& key) const {
    return toolbarButtons_.value(key);
}

void frmMain::setTabOrderAsDesigned() {
    // The keyboard order of the controls that take the focus; the list is skipped by Tab.
    // The two policies follow the excluded characters' box.
    const QList<QWidget*> order = {
        chkAddSuji,   chkAddAlphabetBig, chkAddAlphabetMini, chkAddChr, txtAddChr, chkDeleteChr,
        txtDeleteChr, chkNoSimilar,      chkEachClass,       txtMojisu, txtSeisei};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    lstSagyo->setFocusPolicy(Qt::NoFocus);
    tlbMain->setFocusPolicy(Qt::NoFocus);
}
