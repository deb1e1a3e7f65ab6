#pragma once

#include "CommandActions.h"
#include "RunController.h"
#include "StoredRunRules.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QToolBar;
class PrintCommand;
class ResultListView;
class RunAnnouncer;
class SaveCommand;
class WindowPlacement;
struct RunRequest;

// The main window: the character options, the length and the count, the progress of a run and
// the list of its passwords. Its widgets are its own; the run is drawn by a RunController, the
// commands are CommandActions, the geometry kept between uses is a WindowPlacement.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // programDir: where the settings file and the help file lie; the executable's directory
    // unless a test names another.
    explicit MainWindow(QWidget* parent = nullptr, const QString& programDir = QString());
    ~MainWindow() override;

    const CommandActions& actions() const { return m_actions; }
    RunController& runController() { return *m_run; }
    SaveCommand& saveCommand() { return *m_save; }
    PrintCommand& printCommand() { return *m_print; }
    QString settingsFilePath() const { return m_settingsFilePath; }
    bool closed() const { return m_closed; }

    // How the pop-up menu is shown (tests replace it).
    std::function<void(QMenu*, const QPoint&)> showPopupMenu;

public slots:
    // Ends the program the normal way when the system asks (a signal, the session manager):
    // a run stops first, open dialogs are dismissed, then the window closes and the settings
    // are written once.
    void requestQuit();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (MainWindow.cpp).
    void createControls();
    void createOptionFrames();
    void createPolicyControls();
    void createProgressAndResults();
    void connectCommands();
    void setTabOrder();
    // Names, descriptions and relations a screen reader announces, in Japanese, and the
    // decorative widgets taken out of the accessibility tree (MainWindowAccessibility.cpp).
    void setUpAccessibility();
    // Placing (MainWindowLayout.cpp).
    void placeAtDesignPositions();
    void giveCaptionsRoom();
    void placePolicyControls();
    void placeStrengthLabel();
    void layOut();
    // Keeping (MainWindowSettings.cpp).
    void loadSettings();
    void saveSettings();

    // Commands and their state.
    void updateCommands();
    bool startReady();
    void startRun();
    void stopRun();
    void showProgress(int drawn);
    void runEnded(RunEnd end);
    void offerPopupMenu(const QPoint& pos);
    void quitCommand();
    void closeWhenIdle();
    bool filterNumberKey(QKeyEvent* event);
    void filterNumberText(QLineEdit* box);
    // The options of the boxes with the given rules (the stored ones by default).
    RunRequest readRequest() const { return readRequest(m_rules); }
    RunRequest readRequest(const StoredRunRules& rules) const;
    // One password drawn with the options of the boxes and the given rules: what the strength
    // label shows.
    RunPlanOutcome planOfOne(const StoredRunRules& rules) const;
    void connectStrength();
    void updateStrength();
    // 詳細設定: the [Rules] edited in a dialog, taken by the next run and stored at the close.
    void editRules();

    QString m_programDir;
    QString m_helpFilePath;
    QString m_settingsFilePath;

    QWidget* m_client = nullptr; // the client area below the menu bar; holds the toolbar too
    QToolBar* m_toolBar = nullptr;
    QFrame* m_topLine = nullptr;
    QFrame* m_topLineLight = nullptr;
    QFrame* m_etchedLine = nullptr;
    QGroupBox* m_charactersFrame = nullptr;
    QCheckBox* m_digitsBox = nullptr;
    QCheckBox* m_upperBox = nullptr;
    QCheckBox* m_lowerBox = nullptr;
    QCheckBox* m_extraBox = nullptr;
    QLineEdit* m_extraText = nullptr;
    QCheckBox* m_excludeBox = nullptr;
    QLineEdit* m_excludeText = nullptr;
    QCheckBox* m_noLookAlikesBox = nullptr;
    QCheckBox* m_eachClassBox = nullptr;
    QGroupBox* m_countsFrame = nullptr;
    QLabel* m_lengthLabel = nullptr;
    QLineEdit* m_lengthBox = nullptr;
    QLabel* m_countLabel = nullptr;
    QLineEdit* m_countBox = nullptr;
    QLabel* m_rangeHint = nullptr;
    QGroupBox* m_progressFrame = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_statusLabel = nullptr;
    ResultListView* m_resultList = nullptr;
    QLabel* m_doneCaption = nullptr;
    QLabel* m_doneCount = nullptr;
    QLabel* m_strengthLabel = nullptr;   // the entropy of one password of the next run
    RunAnnouncer* m_announcer = nullptr; // what a screen reader hears of runs and strength
    QMenu* m_popupMenu = nullptr;

    CommandActions m_actions;
    std::unique_ptr<RunController> m_run;
    std::unique_ptr<SaveCommand> m_save;
    std::unique_ptr<PrintCommand> m_print;
    WindowPlacement* m_placement = nullptr;

    // A free text as read from the settings file and as its box showed it after loading.
    struct LoadedText {
        QString stored;
        QString shown;
    };
    LoadedText m_loadedExtra;
    LoadedText m_loadedExclude;
    // The settings as loaded: the [Rules] keys, edited only by 詳細設定, are stored back from
    // here; m_rules is what every run takes from them.
    StoredSettings m_loadedSettings;
    StoredRunRules m_rules;

    bool m_resultsReady = false; // the last run completed: the result commands are enabled
    bool m_layingOut = false;
    bool m_waitCursor = false;
    bool m_closed = false;
    bool m_quitCommandClosing = false;
    bool m_quitRequested = false;
};
