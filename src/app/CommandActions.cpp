#include "CommandActions.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

// caption: the menu's text; tip: the toolbar button's tooltip and spoken name; image: the
// button's image in the resources (none for a command with no button).
QAction* makeAction(QObject* owner, const char* name, const QString& caption,
                    const QString& tip = {}, const char* image = nullptr,
                    const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!tip.isEmpty()) {
        action->setIconText(tip);
        action->setToolTip(tip);
    }
    if (image) {
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(image)));
        action->setIconVisibleInMenu(false);
    }
    action->setShortcut(shortcut);
    return action;
}

// Select all and copy have captions of their own in the pop-up menu (no access keys): such an
// item runs its command and is enabled with it.
QAction* popupItem(QMenu* menu, QAction* command, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(command->objectName() + QStringLiteral("Popup"));
    item->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, item,
                     [item, command] { item->setEnabled(command->isEnabled()); });
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

} // namespace

CommandActions::CommandActions(QObject* owner)
    : save(makeAction(owner, "save", QStringLiteral("保存(&S)"), QStringLiteral("保存"), "M_Save",
                      QKeySequence(Qt::CTRL | Qt::Key_S))),
      handout(makeAction(owner, "handout", QStringLiteral("配布用に書き出す(&D)..."))),
      print(makeAction(owner, "print", QStringLiteral("印刷(&P)"), QStringLiteral("印刷"),
                       "M_Print", QKeySequence(Qt::CTRL | Qt::Key_P))),
      slips(makeAction(owner, "slips", QStringLiteral("配布用カード(&C)..."))),
      quit(makeAction(owner, "quit", QStringLiteral("終了(&X)"))),
      selectAll(makeAction(owner, "selectAll", QStringLiteral("すべて選択(&A)"),
                           QStringLiteral("すべて選択"), "M_AllSelect")),
      copy(makeAction(owner, "copy", QStringLiteral("コピー(&C)"), QStringLiteral("コピー"),
                      "M_Copy")),
      sortAscending(makeAction(owner, "sortAscending", QStringLiteral("昇順に並び替え"),
                               QStringLiteral("昇順に並び替え"), "M_Sort")),
      sortDescending(makeAction(owner, "sortDescending", QStringLiteral("降順に並び替え"))),
      start(makeAction(owner, "start", QStringLiteral("開始(&S)"), QStringLiteral("実行"),
                       "M_Start", QKeySequence(Qt::Key_F5))),
      stop(makeAction(owner, "stop", QStringLiteral("停止(&E)"), QStringLiteral("停止"), "M_Stop")),
      unique(makeAction(owner, "unique", QStringLiteral("重複なし(&U)"))),
      rules(makeAction(owner, "rules", QStringLiteral("詳細設定(&O)..."))),
      help(makeAction(owner, "help", QStringLiteral("ヘルプ(&H)"), QStringLiteral("ヘルプ"),
                      "M_Help", QKeySequence(Qt::Key_F1))),
      about(makeAction(owner, "about", QStringLiteral("バージョン情報(&V)"))) {
    unique->setCheckable(true);
    unique->setToolTip(QStringLiteral("1回の実行で同じパスワードを2度作りません。"));
}

void CommandActions::fillMenuBar(QMenuBar& bar) const {
    QMenu* file = bar.addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({save, handout, print, slips});
    file->addSeparator();
    file->addAction(quit);

    QMenu* edit = bar.addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addAction(selectAll);
    edit->addSeparator();
    edit->addAction(copy);
    edit->addSeparator();
    edit->addActions({sortAscending, sortDescending});

    QMenu* run = bar.addMenu(QStringLiteral("実行(&R)"));
    run->setObjectName(QStringLiteral("runMenu"));
    run->addActions({start, stop});
    run->addSeparator();
    run->addActions({unique, rules});

    QMenu* helpMenu = bar.addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    helpMenu->addAction(help);
    helpMenu->addSeparator();
    helpMenu->addAction(about);
}

// Each image is drawn at its own 16 x 16 pixels, never scaled, on a button of the standard size
// for such images, 23 x 22; the toolbar's 24 pixels leave one above and one below. Left to the
// style, the buttons shrink to the toolbar's inner height and the images are scaled down.
void CommandActions::fillToolBar(QToolBar& toolBar, QWidget* menuParent) const {
    toolBar.setIconSize(QSize(16, 16));
    toolBar.setMovable(false);
    toolBar.setFloatable(false);
    toolBar.setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar.addActions({save, print});
    toolBar.addSeparator();
    toolBar.addActions({selectAll, copy});
    // The sort button sorts ascending; its arrow offers both orders.
    auto* sortMenu = new QMenu(menuParent);
    sortMenu->setObjectName(QStringLiteral("sortMenu"));
    sortMenu->addActions({sortAscending, sortDescending});
    auto* sortButton = new QToolButton(&toolBar);
    sortButton->setDefaultAction(sortAscending);
    sortButton->setMenu(sortMenu);
    sortButton->setPopupMode(QToolButton::MenuButtonPopup);
    toolBar.addWidget(sortButton);
    toolBar.addSeparator();
    toolBar.addActions({start, stop});
    toolBar.addSeparator();
    toolBar.addAction(help);

    constexpr QSize kButtonSize(23, 22);
    toolBar.layout()->setContentsMargins(0, 1, 0, 1);
    toolBar.layout()->setSpacing(0);
    for (auto* button : toolBar.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        if (button->objectName() == QLatin1String("qt_toolbar_ext_button"))
            continue;
        QSize size = kButtonSize;
        if (button->popupMode() == QToolButton::MenuButtonPopup) // the drop-down arrow beside
            size.rwidth() += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator);
        button->setFixedSize(size);
    }
}

QMenu* CommandActions::makePopupMenu(QWidget* parent) const {
    auto* menu = new QMenu(QStringLiteral("ポップアップメニュー"), parent);
    menu->setObjectName(QStringLiteral("popupMenu"));
    popupItem(menu, selectAll, QStringLiteral("すべて選択"));
    menu->addSeparator();
    popupItem(menu, copy, QStringLiteral("コピー"));
    menu->addSeparator();
    menu->addActions({sortAscending, sortDescending});
    return menu;
}
