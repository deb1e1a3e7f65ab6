#pragma once

#include "CharacterPool.h"
#include "EachClass.h"
#include "GenerationOptions.h"
#include "RunPlan.h"
#include "SettingsRules.h"
#include "Twips.h"
#include "YieldThrottle.h"

#include <QHash>
#include <QMainWindow>
#include <QMargins>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QToolBar;
class ResultListView;
class SaveCommand;
class PrintCommand;
class RunAnnouncer;

// The main window. Controls and handlers carry the names the program has always used:
// txt = text box, chk = check box, fra = frame, lbl = label, mnu = menu item, tlb = toolbar.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // programDir: where the settings file and the help file lie; the executable's directory
    // unless a test names another.
    explicit frmMain(QWidget* parent = nullptr, const QString& programDir = QString());
    ~frmMain() override;

    // Controls, public so that tests can drive the window as a person would.
    QWidget* client = nullptr; // the client area below the menu bar; holds the toolbar too
    QToolBar* tlbMain = nullptr;
    QHash<QString, QIcon> ilsMain;
    QGroupBox* fraAddChr = nullptr;
    QCheckBox* chkAddSuji = nullptr;
    QCheckBox* chkAddAlphabetBig = nullptr;
    QCheckBox* chkAddAlphabetMini = nullptr;
    QCheckBox* chkAddChr = nullptr;
    QLineEdit* txtAddChr = nullptr;
    QCheckBox* chkDeleteChr = nullptr;
    QLineEdit* txtDeleteChr = nullptr;
    QCheckBox* chkNoSimilar = nullptr; // leave out the look-alike characters
    QCheckBox* chkEachClass = nullptr; // every chosen class in every password
    QGroupBox* fraCountSet = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtMojisu = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtSeisei = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* fraProgressbar = nullptr;
    QProgressBar* prgCount = nullptr;
    QLabel* lblStatus = nullptr;
    QListWidget* lstSagyo = nullptr;
    ResultListView* lvwPW = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* etchedLine = nullptr;
    QLabel* lblKanryo = nullptr;
    QLabel* lblProgressbar = nullptr;
    QLabel* lblStrength = nullptr;     // the entropy of one password of the next run
    RunAnnouncer* announcer = nullptr; // what a screen reader hears of runs and strength

    QMenu* mnuPopup = nullptr;
    QAction* mnuPopupAllSelect = nullptr;
    QAction* mnuPouupLine1 = nullptr;
    QAction* mnuPopupCopy = nullptr;
    QAction* mnuPouupLine2 = nullptr;
    QAction* mnuPopupSortAsc = nullptr;
    QAction* mnuPopupSortDesc = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileLine = nullptr;
    QAction* mnuFileEnd = nullptr;
    QMenu* mnuHensyu = nullptr;
    QAction* mnuHensyuAllSelect = nullptr;
    QAction* mnuHensyuLine1 = nullptr;
    QAction* mnuHensyuCopy = nullptr;
    QAction* mnuHensyuLine2 = nullptr;
    QAction* mnuHensyuSortAsc = nullptr;
    QAction* mnuHensyuSortDesc = nullptr;
    QMenu* mnuRun = nullptr;
    QAction* mnuRunStart = nullptr;
    QAction* mnuRunStop = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHelpLine1 = nullptr;
    QAction* mnuHelpVersion = nullptr;
    QMenu* tlbSortMenu = nullptr; // the sort button's drop-down

    // Toolbar buttons and drop-down items carry their command key in this property.
    static constexpr const char* kCommandKeyProperty = "CommandKey";
    // The toolbar button (or drop-down item) with this key; null for an unknown key.
    QAction* toolbarButton(const QString& key) const;

    QString settingsFilePath() const { return SettingsFilePath; }
    bool runActive() const { return runActive_; }
    bool unloaded() const { return unloaded_; }
    SaveCommand& saveCommand() { return *dlg; }
    PrintCommand& printCommand() { return *printer_; }

    // Seams for tests: how much memory the process may still allocate, and how the pop-up menu
    // is shown.
    std::function<quint64()> availableMemory;
    std::function<void(QMenu*, const QPoint&)> showPopupMenu;
    // Called inside the run's yields, before the event queue is served (tests press stop here).
    std::function<void()> duringYield;

public slots:
    void mnuFileSave_Click();
    void mnuFilePrint_Click();
    void mnuFileEnd_Click();
    void mnuHensyuAllSelect_Click();
    void mnuHensyuCopy_Click();
    void mnuHensyuSortAsc_Click();
    void mnuHensyuSortDesc_Click();
    void mnuRunStart_Click();
    void mnuRunStop_Click();
    void mnuHelpHelp_Click();
    void mnuHelpVersion_Click();
    void mnuPopupAllSelect_Click();
    void mnuPopupCopy_Click();
    void mnuPopupSortAsc_Click();
    void mnuPopupSortDesc_Click();
    void tlbMain_ButtonClick(QAction* button);
    void tlbMain_ButtonMenuClick(QAction* item);
    void lvwPW_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos);
    // Ends the program the normal way when the system asks (a signal, the session manager):
    // a run stops first, open dialogs are dismissed, then the window closes and the settings
    // are written once.
    void requestQuit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window (frmMainControls.cpp).
    void createControls();
    void createOptionFrames();
    void createProgressAndResults();
    void createMenus();
    void createToolbar();
    void sizeToolbarButtons();
    void setTabOrderAsDesigned();
    void placeAtDesignPositions();
    void giveCaptionsRoom();
    // The two policies and the strength label (frmMainPolicies.cpp).
    void createPolicyControls();
    void placePolicyControls();
    void placeStrengthLabel();
    void UpdateStrength();
    RunRequest readRequest() const;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void closeWhenIdle();

    // Options and command state.
    void chkAddSuji_Click();
    void chkAddAlphabetBig_Click();
    void chkAddAlphabetMini_Click();
    void chkAddChr_Click();
    void chkDeleteChr_Click();
    void txtAddChr_Change();
    void txtDeleteChr_Change();
    void txtMojisu_Change();
    void txtSeisei_Change();
    bool numberBox_KeyPress(QKeyEvent* event);
    qint16 ValidateCounts();
    void UpdateStartCommand();
    void SetCommandState(bool blnIdle);
    void setWaitPointer(bool on);
    void setResultButtonsEnabled(bool enabled);

    // The run.
    void fillResultList(CharacterPool pool, qint32 mojisu, qint32 seisei);
    bool yieldNow();
    void pumpDuringRun();
    void yieldToEventQueue();
    void releaseInSlices(QStringList oldResults);
    void publishProgress();
    GenerationOptions readOptions() const;

    void LoadSettings();
    void SaveSettings();
    void applyOuterGeometry(const WindowTwips& outer);
    void settleOuterGeometry();
    void sizeResultColumn();

    bool blnStop = false;
    bool blnResizeEnabled = false;
    QString programDir_;
    QString helpFilePath_;
    QString SettingsFilePath;
    // A free text as read from the settings file and as its box showed it after loading.
    struct LoadedText {
        QString stored;
        QString shown;
    };
    LoadedText loadedAddChrList_;
    LoadedText loadedDeleteChrList_;

    bool runActive_ = false;
    bool waitPointerOn_ = false;
    bool unloaded_ = false;
    bool endCommandClosing_ = false;
    bool quitRequested_ = false;
    int finishedPasswords_ = 0;
    QRect storedOuter_;          // the read rectangle in pixels
    TwipsRect readOuterTwips_{}; // the read rectangle, stored again where nothing changed it
    QRect placedInner_;          // the window without its frame once it was placed
    bool outerSizeSettled_ = false;
    int settleAttempts_ = 0;
    bool frameNudged_ = false;
    QMargins frameMargins_; // the frame as measured when the window was settled
    YieldThrottle throttle_;
    EachClassRule runRule_; // the rule of the run in progress
    std::unique_ptr<SaveCommand> dlg;
    std::unique_ptr<PrintCommand> printer_;
    QHash<QString, QAction*> toolbarButtons_;
};
