// The window's geometry and the character options, kept in keymill.ini between uses.
#include "frmMain.h"

#include "ProgramPaths.h"
#include "SettingsRules.h"
#include "Twips.h"
#include "mdlIniSet.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

void frmMain::LoadSettings() {
    // The file is read once; a file that cannot be read loads as the defaults.
    const IniDocument ini =
        ReadIniDocument(SettingsReadPathFor(programDir_)).value_or(IniDocument());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenPixels = screen ? screen->geometry().size() : QSize(4096, 4096);
    const TwipsSize screenTwips = PixelsToTwips(screenPixels);
    const StoredSettings stored =
        LoadStoredSettings(ini, qint32(screenTwips.width), qint32(screenTwips.height));

    applyOuterGeometry(stored.window);
    chkAddSuji->setChecked(stored.suji);
    chkAddAlphabetBig->setChecked(stored.alphabetBig);
    chkAddAlphabetMini->setChecked(stored.alphabetMini);
    chkAddChr->setChecked(stored.addChr);
    txtAddChr->setText(stored.addChrList);
    chkDeleteChr->setChecked(stored.deleteChr);
    txtDeleteChr->setText(stored.deleteChrList);
}

void frmMain::SaveSettings() {
    // The file is read again rather than kept from the start: whatever another copy of the
    // program or the user wrote into it meanwhile stays, and the eleven keys are this window's.
    const QString readPath = SettingsReadPathFor(programDir_);
    std::optional<IniDocument> ini = ReadIniDocument(readPath);
    if (!ini) {
        if (readPath == SettingsFilePath)
            return;          // never replace a file whose content could not be read
        ini = IniDocument(); // an unreadable file beside the program: start the user's afresh
    }
    const TwipsRect twips = PixelsToTwips(frameGeometry());
    StoredSettings current;
    current.window = {qint32(twips.left), qint32(twips.top), qint32(twips.width),
                      qint32(twips.height)};
    current.suji = chkAddSuji->isChecked();
    current.alphabetBig = chkAddAlphabetBig->isChecked();
    current.alphabetMini = chkAddAlphabetMini->isChecked();
    current.addChr = chkAddChr->isChecked();
    current.addChrList = txtAddChr->text();
    current.deleteChr = chkDeleteChr->isChecked();
    current.deleteChrList = txtDeleteChr->text();
    StoreSettings(*ini, current);
    // An unchanged file is not written at all: its time stamp stays, and a locked or
    // read-only file is left alone.
    if (ini->isModified())
        WriteIniDocument(*ini, SettingsFilePath);
}

// The stored values describe the outer rectangle, frame and title bar included. The window
// manager tells the frame's size only after the window is mapped, so the size is applied once
// more as soon as the frame is known.
void frmMain::applyOuterGeometry(const WindowTwips& outer) {
    storedOuter_ = TwipsToPixels(TwipsRect{double(outer.left), double(outer.top),
                                           double(outer.width), double(outer.height)});
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    move(storedOuter_.topLeft());
    resize(storedOuter_.size() - frameExtra);
}

void frmMain::settleOuterGeometry() {
    if (outerSizeSettled_ || storedOuter_.isNull() || !isVisible())
        return;
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (frameExtra == QSize(0, 0))
        return;
    outerSizeSettled_ = true;
    resize(storedOuter_.size() - frameExtra);
    move(storedOuter_.topLeft());
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    settleOuterGeometry();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    settleOuterGeometry();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    settleOuterGeometry();
}
