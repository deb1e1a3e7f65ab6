// The result commands and the two other ways to reach them: the toolbar and the list's pop-up.
#include "frmMain.h"

#include "ListCommands.h"
#include "PrintCommand.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "SaveCommand.h"
#include "frmAbout.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void frmMain::mnuFileSave_Click() {
    dlg->run(this, lvwPW->resultModel()->texts());
}
void frmMain::mnuFilePrint_Click() {
    printer_->run(this, lvwPW->resultModel()->texts());
}
void frmMain::mnuHensyuAllSelect_Click() {
    SelectAllResults(*lvwPW);
}
void frmMain::mnuHensyuCopy_Click() {
    CopySelectedResults(*lvwPW);
}
void frmMain::mnuHensyuSortAsc_Click() {
    SortResults(*lvwPW, Qt::AscendingOrder);
}
void frmMain::mnuHensyuSortDesc_Click() {
    SortResults(*lvwPW, Qt::DescendingOrder);
}
void frmMain::mnuHelpVersion_Click() {
    ShowAboutDialog(this);
}

void frmMain::mnuPopupAllSelect_Click() {
    mnuHensyuAllSelect_Click();
}
void frmMain::mnuPopupCopy_Click() {
    mnuHensyuCopy_Click();
}
void frmMain::mnuPopupSortAsc_Click() {
    mnuHensyuSortAsc_Click();
}
void frmMain::mnuPopupSortDesc_Click() {
    mnuHensyuSortDesc_Click();
}

// Keys are compared exactly; a separator has none and does nothing.
void frmMain::tlbMain_ButtonClick(QAction* button) {
    const QString key = button->property(kCommandKeyProperty).toString();
    const std::pair<const char*, void (frmMain::*)()> routes[] = {
        {"M_Save", &frmMain::mnuFileSave_Click},
        {"M_Print", &frmMain::mnuFilePrint_Click},
        {"M_Start", &frmMain::mnuRunStart_Click},
        {"M_Stop", &frmMain::mnuRunStop_Click},
        {"M_AllSelect", &frmMain::mnuHensyuAllSelect_Click},
        {"M_Copy", &frmMain::mnuHensyuCopy_Click},
        {"M_Sort", &frmMain::mnuHensyuSortAsc_Click},
        {"M_Help", &frmMain::mnuHelpHelp_Click}};
    for (const auto& [routeKey, handler] : routes) {
        if (key == QLatin1String(routeKey)) {
            (this->*handler)();
            return;
        }
    }
}

void frmMain::tlbMain_ButtonMenuClick(QAction* item) {
    const QString key = item->property(kCommandKeyProperty).toString();
    if (key == QLatin1String("M_SortAsc"))
        mnuHensyuSortAsc_Click();
    else if (key == QLatin1String("M_SortDesc"))
        mnuHensyuSortDesc_Click();
}

// The pop-up is offered only when the last run completed with at least one password.
void frmMain::lvwPW_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint& pos) {
    if (lblProgressbar->text().toInt() == 0)
        return;
    const int items = lvwPW->resultModel()->count();
    if (button == Qt::RightButton && items > 0)
        showPopupMenu(mnuPopup, lvwPW->viewport()->mapToGlobal(pos));
}
