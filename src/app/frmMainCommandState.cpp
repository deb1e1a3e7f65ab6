// Which commands are enabled, and the option controls that decide whether a run may start.
#include "frmMain.h"

#include "CountValidation.h"
#include "NumericFilter.h"
#include "mdlShare.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {
// A check box counts as checked only when fully checked, and as "not unchecked" in any
// state but unchecked.
bool isChecked(const QCheckBox* box) {
    return box->checkState() == Qt::Checked;
}
bool isNotUnchecked(const QCheckBox* box) {
    return box->checkState() != Qt::Unchecked;
}

// A free-text box follows its check box: editable on the window colour, or greyed on the
// button-face colour. Its text stays either way.
bool followCheckBox(QLineEdit* box, const QCheckBox* check) {
    QPalette palette = box->palette();
    const bool on = isNotUnchecked(check);
    const QPalette::ColorRole background = on ? QPalette::Base : QPalette::Button;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, QApplication::palette().color(group, background));
    box->setPalette(palette);
    box->setEnabled(on);
    return on && !box->text().isEmpty();
}
} // namespace

void frmMain::UpdateStartCommand() {
    QAction* start = toolbarButton(QStringLiteral("M_Start"));
    start->setEnabled(false);
    bool freeTextReady = followCheckBox(txtAddChr, chkAddChr);
    freeTextReady = followCheckBox(txtDeleteChr, chkDeleteChr) || freeTextReady;
    if (!txtMojisu->text().isEmpty() && !txtSeisei->text().isEmpty() &&
        (freeTextReady || isChecked(chkAddAlphabetMini) || isChecked(chkAddAlphabetBig) ||
         isChecked(chkAddSuji)))
        start->setEnabled(true);
    mnuRunStart->setEnabled(start->isEnabled());
}

void frmMain::SetCommandState(bool blnIdle) {
    if (blnIdle) {
        fraAddChr->setEnabled(true);
        fraCountSet->setEnabled(true);
        toolbarButton(QStringLiteral("M_Stop"))->setEnabled(false);
        UpdateStartCommand();
        RestoreSystemMenu(this);
        setWaitPointer(false);
    } else {
        setWaitPointer(true);
        DisableCloseCommand(this);
        setResultButtonsEnabled(false);
        toolbarButton(QStringLiteral("M_Start"))->setEnabled(false);
        toolbarButton(QStringLiteral("M_Stop"))->setEnabled(true);
        fraAddChr->setEnabled(false);
        fraCountSet->setEnabled(false);
    }
    // The menu items follow their toolbar buttons; both sort items follow the one sort button.
    const std::pair<QAction*, const char*> menuFollowsButton[] = {
        {mnuFileSave, "M_Save"},
        {mnuFilePrint, "M_Print"},
        {mnuHensyuAllSelect, "M_AllSelect"},
        {mnuHensyuCopy, "M_Copy"},
        {mnuHensyuSortAsc, "M_Sort"},
        {mnuHensyuSortDesc, "M_Sort"},
        {mnuRunStart, "M_Start"},
        {mnuRunStop, "M_Stop"}};
    for (const auto& [item, key] : menuFollowsButton)
        item->setEnabled(toolbarButton(QString::fromLatin1(key))->isEnabled());
}

// Save, print, select all, copy and sort: only a completed run enables them.
void frmMain::setResultButtonsEnabled(bool enabled) {
    for (const char* key : {"M_Save", "M_Print", "M_AllSelect", "M_Copy", "M_Sort"})
        toolbarButton(QString::fromLatin1(key))->setEnabled(enabled);
}

// The wait pointer is shown once while running, however often the state is switched.
void frmMain::setWaitPointer(bool on) {
    if (on == waitPointerOn_)
        return;
    waitPointerOn_ = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void frmMain::chkAddSuji_Click() {
    UpdateStartCommand();
}
void frmMain::chkAddAlphabetBig_Click() {
    UpdateStartCommand();
}
void frmMain::chkAddAlphabetMini_Click() {
    UpdateStartCommand();
}
void frmMain::chkAddChr_Click() {
    UpdateStartCommand();
}
void frmMain::chkDeleteChr_Click() {
    UpdateStartCommand();
}
void frmMain::txtAddChr_Change() {
    UpdateStartCommand();
}
void frmMain::txtDeleteChr_Change() {
    UpdateStartCommand();
}

void frmMain::txtMojisu_Change() {
    FilterNumericText(txtMojisu);
    UpdateStartCommand();
}

void frmMain::txtSeisei_Change() {
    FilterNumericText(txtSeisei);
    UpdateStartCommand();
}

// Number boxes take digits and control keys (backspace, the clipboard shortcuts); any other
// typed character is dropped with a beep.
bool frmMain::numberBox_KeyPress(QKeyEvent* event) {
    // A key held with Ctrl is a control key (Ctrl+V arrives as 22): it passes silently, and the
    // box inserts no text for it, whether it is Ctrl+V or Ctrl+minus. Ctrl+Alt is AltGr on some
    // systems, which types characters and is filtered like any other key.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier))
        return false;
    const QString typed = event->text();
    // Delete arrives with the text DEL; like the arrow keys it edits rather than types.
    if (typed.isEmpty() || typed.at(0).unicode() == 0x7F)
        return false;
    if (NumericKeyAllowed(typed.at(0).unicode()))
        return false;
    Beep();
    return true;
}

qint16 frmMain::ValidateCounts() {
    const qint16 code = ValidateCountsCode(txtMojisu->text(), txtSeisei->text());
    const QString message = ValidationMessage(code);
    if (!message.isEmpty())
        ShowInputError(this, message);
    return code;
}
