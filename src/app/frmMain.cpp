#include "frmMain.h"

#include "HelpCommand.h"
#include "PrintCommand.h"
#include "ProgramPaths.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RunMemory.h"
#include "SaveCommand.h"
#include "frmMainAccessibility.h"
#include "mdlShare.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

frmMain::frmMain(QWidget* parent, const QString& programDir)
    : QMainWindow(parent),
      programDir_(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir),
      dlg(std::make_unique<SaveCommand>()), printer_(std::make_unique<PrintCommand>()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("キーミル"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/keymill")));
    // The form's own font, also when no application font was installed (tests).
    setFont(FormFont());
    availableMemory = [] { return AvailableMemoryBytes(); };
    showPopupMenu = [](QMenu* menu, const QPoint& globalPos) { menu->popup(globalPos); };
    createControls();
    client->installEventFilter(this);
    Form_Load();
    SetUpAccessibility(*this);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    // The etched line below the toolbar runs the whole width of the screen, so it reaches the
    // right edge at any window width; it is placed once and never again.
    const int toolbarHeight = tlbMain->height();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 4096;
    etchedLine = new QFrame(client);
    etchedLine->setObjectName(QStringLiteral("etchedLine"));
    etchedLine->setFrameShape(QFrame::HLine);
    etchedLine->setFrameShadow(QFrame::Sunken);
    etchedLine->setGeometry(0, toolbarHeight, screenWidth, 2);
    etchedLine->lower();

    blnResizeEnabled = true;

    helpFilePath_ = HelpFilePathFor(programDir_);
    SettingsFilePath = SettingsFilePathFor(programDir_);

    LoadSettings();

    lvwPW->resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    sizeResultColumn();

    SetCommandState(false);
    SetCommandState(true);
}

void frmMain::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // A minimised window stores the geometry of its restored window.
    if (isMinimized())
        showNormal();
    SaveSettings();
    CloseAllHelpWindows();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // While a run lasts the title bar's close button and Alt+F4 do nothing; the end command
    // still ends the program.
    if (!endCommandClosing_ && !CloseCommandEnabled(this)) {
        event->ignore();
        return;
    }
    Form_Unload();
    // A run in progress notices the closed window at its next flag check and leaves it alone.
    blnStop = true;
    event->accept();
}

void frmMain::requestQuit() {
    if (unloaded_)
        return;
    quitRequested_ = true;
    if (runActive_)
        mnuRunStop_Click(); // the run ends as a stopped one and then closes the window
    // A dialog's own event loop would keep the program alive after the window has gone.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
    }
    if (!runActive_)
        QMetaObject::invokeMethod(this, &frmMain::closeWhenIdle, Qt::QueuedConnection);
}

// Closes through the end command once nothing is left on the way: a run calls this when it
// has ended, and a dialog that opened meanwhile is dismissed first.
void frmMain::closeWhenIdle() {
    if (unloaded_ || runActive_)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
        QMetaObject::invokeMethod(this, &frmMain::closeWhenIdle, Qt::QueuedConnection);
        return;
    }
    mnuFileEnd_Click();
}

void frmMain::mnuFileEnd_Click() {
    endCommandClosing_ = true;
    close();
    endCommandClosing_ = false;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    if ((watched == txtMojisu || watched == txtSeisei) && event->type() == QEvent::KeyPress)
        return numberBox_KeyPress(static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mnuHelpHelp_Click() {
    ShowHelp(helpFilePath_, this);
}
