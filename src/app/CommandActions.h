#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Every command of the main window as one action, shared by the menus, the toolbar, the list's
// pop-up menu and the list's keys. An action carries its menu caption, its toolbar tooltip and
// image, and its shortcut; whether it is enabled is set in one place, the window's
// updateCommands().
struct CommandActions {
    QAction* save = nullptr;
    QAction* handout = nullptr; // 配布用に書き出す: the list paired with accounts
    QAction* print = nullptr;
    QAction* slips = nullptr; // 配布用カード: the list as slips to hand out
    QAction* quit = nullptr;
    QAction* selectAll = nullptr;
    QAction* copy = nullptr;
    QAction* sortAscending = nullptr;
    QAction* sortDescending = nullptr;
    QAction* start = nullptr;
    QAction* stop = nullptr;
    QAction* unique = nullptr; // checkable: no password twice in a run ([Add] Unique)
    QAction* rules = nullptr;  // 詳細設定: the rules of a site ([Rules])
    QAction* help = nullptr;
    QAction* about = nullptr;

    // Makes the actions, owned by owner.
    explicit CommandActions(QObject* owner);

    // The menu bar's four menus: ファイル, 編集, 実行 (with the run's options), ヘルプ.
    void fillMenuBar(QMenuBar& bar) const;
    // The toolbar's buttons; the sort button drops down both sort orders.
    void fillToolBar(QToolBar& toolBar, QWidget* menuParent) const;
    // The result list's pop-up menu.
    QMenu* makePopupMenu(QWidget* parent) const;
};
