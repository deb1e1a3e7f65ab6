// The window's geometry and the character options, kept in keymill.ini between uses.
#include "frmMain.h"

#include "SettingsRules.h"
#include "Twips.h"
#include "mdlIniSet.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

using namespace SettingsNames;

void frmMain::LoadSettings() {
    const auto read = [this](QLatin1StringView section, QLatin1StringView key) {
        return ReadIniValue(section, key, SettingsFilePath);
    };
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenPixels = screen ? screen->geometry().size() : QSize(4096, 4096);
    const TwipsSize screenTwips = PixelsToTwips(screenPixels);
    applyOuterGeometry(
        ReadWindowTwips(SettingsFilePath, qint32(screenTwips.width), qint32(screenTwips.height)));

    chkAddSuji->setChecked(ClassBoxCheckedFrom(read(kAdd, kSuji)));
    chkAddAlphabetBig->setChecked(ClassBoxCheckedFrom(read(kAdd, kAlhabetBig)));
    chkAddAlphabetMini->setChecked(ClassBoxCheckedFrom(read(kAdd, kAlphabetMini)));
    chkAddChr->setChecked(FreeTextBoxCheckedFrom(read(kAdd, kAddChr)));
    txtAddChr->setText(read(kAdd, kAddChrList));
    chkDeleteChr->setChecked(FreeTextBoxCheckedFrom(read(kAdd, kDeleteChr)));
    txtDeleteChr->setText(read(kAdd, kDeleteChrList));
}

void frmMain::SaveSettings() {
    const auto write = [this](QLatin1StringView section, QLatin1StringView key,
                              const QString& value) {
        WriteIniValue(section, key, value, SettingsFilePath);
    };
    const QRect outer = frameGeometry();
    const TwipsRect twips = PixelsToTwips(outer);
    write(kPosition, kLeft, QString::number(qint64(twips.left)));
    write(kPosition, kTop, QString::number(qint64(twips.top)));
    write(kPosition, kWidth, QString::number(qint64(twips.width)));
    write(kPosition, kHeight, QString::number(qint64(twips.height)));
    write(kAdd, kSuji, CheckStateText(chkAddSuji->isChecked()));
    write(kAdd, kAlhabetBig, CheckStateText(chkAddAlphabetBig->isChecked()));
    write(kAdd, kAlphabetMini, CheckStateText(chkAddAlphabetMini->isChecked()));
    write(kAdd, kAddChr, CheckStateText(chkAddChr->isChecked()));
    write(kAdd, kAddChrList, txtAddChr->text());
    write(kAdd, kDeleteChr, CheckStateText(chkDeleteChr->isChecked()));
    write(kAdd, kDeleteChrList, txtDeleteChr->text());
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
