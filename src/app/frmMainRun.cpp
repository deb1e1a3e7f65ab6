// The generation run: fills the result list with passwords while the window stays alive.
#include "frmMain.h"

#include "PasswordGenerator.h"
#include "ResultListMemory.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RunAnnouncer.h"
#include "RunMemory.h"
#include "mdlShare.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <new>

GenerationOptions frmMain::readOptions() const {
    GenerationOptions options;
    options.digits = chkAddSuji->checkState() == Qt::Checked;
    options.upper = chkAddAlphabetBig->checkState() == Qt::Checked;
    options.lower = chkAddAlphabetMini->checkState() == Qt::Checked;
    options.extra = chkAddChr->checkState() == Qt::Checked;
    options.extraText = txtAddChr->text();
    options.exclude = chkDeleteChr->checkState() == Qt::Checked;
    options.excludeText = txtDeleteChr->text();
    return options;
}

void frmMain::mnuRunStart_Click() {
    // A start that arrives while a run (or a stopped run winding down) is active, or once the
    // program has been asked to end, is ignored.
    if (runActive_ || quitRequested_)
        return;
    if (ValidateCounts() != 0) {
        SetCommandState(true);
        return;
    }
    // The option frames are disabled from here to the end of the run, so one reading serves.
    RunPlanOutcome planned = PlanRun(readRequest());
    if (const auto* refusal = std::get_if<RunRefusal>(&planned)) {
        ShowInputError(this, RunRefusalMessage(*refusal));
        SetCommandState(true);
        return;
    }
    RunPlan& plan = std::get<RunPlan>(planned);
    // The pool tells how much a character weighs: a character beyond the Basic Multilingual
    // Plane takes two UTF-16 units, a letter with its accents as many as it has code points.
    const quint64 needed = EstimateRunBytes(plan.length, plan.count, plan.pool.maxEntryUnits());
    if (!RunFitsInMemory(needed, availableMemory())) {
        ShowInputError(this, RunTooLargeMessage());
        SetCommandState(true);
        return;
    }
    runRule_ = plan.rule;

    runActive_ = true;
    blnStop = false;
    SetCommandState(false);
    const qint32 seisei = plan.count;
    lblStatus->setText(QStringLiteral("パスワード生成中..."));
    lblProgressbar->setText(QStringLiteral("0"));
    prgCount->setValue(0);
    prgCount->setMaximum(seisei);
    fraProgressbar->setVisible(true);
    finishedPasswords_ = 0;
    announcer->runStarted();

    // The check leaves room, but other programs and the process's own limits may still take
    // it away: a run that cannot get its memory ends as a stopped one, and says why.
    bool outOfMemory = false;
    try {
        fillResultList(std::move(plan.pool), plan.length, seisei);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
        blnStop = true;
    }

    if (unloaded_) {
        // The window was closed inside a yield: leave it as it is, only give back the pointer.
        runActive_ = false;
        setWaitPointer(false);
        return;
    }

    publishProgress();
    if (blnStop) {
        lvwPW->resultModel()->clear();
        lblProgressbar->setText(QStringLiteral("0"));
        announcer->announceStopped(finishedPasswords_);
    } else {
        setResultButtonsEnabled(true);
        announcer->announceFinished(finishedPasswords_);
    }
    sizeResultColumn();
    lvwPW->setVisible(true);
    lvwPW->setFocus();
    fraProgressbar->setVisible(false);
    runActive_ = false;
    SetCommandState(true);
    if (outOfMemory && !quitRequested_)
        ShowInputError(this, RunTooLargeMessage());
    if (quitRequested_)
        closeWhenIdle();
}

// Steps from the first yield to the last password: the old results go, the list fills.
void frmMain::fillResultList(CharacterPool pool, qint32 mojisu, qint32 seisei) {
    // Let the progress frame paint before the old results go; a stop pressed now still
    // lets the first character be drawn.
    yieldToEventQueue();
    if (unloaded_)
        return;
    lvwPW->setVisible(false); // the list stays hidden while it fills
    releaseInSlices(lvwPW->resultModel()->takeAll());
    lstSagyo->clear();
    if (!pool.isEmpty())
        PrepareListMemory(EstimateRunBytes(mojisu, seisei, pool.maxEntryUnits()));
    // Freeing took a moment of its own; the drawing starts on a fresh pump.
    QCoreApplication::processEvents();
    if (unloaded_ || pool.isEmpty())
        return;

    // A little under a frame, so that the window is never left for more than about 20 ms
    // once the time to the next clock reading and the pump's own work are added.
    throttle_ = YieldThrottle(std::chrono::milliseconds(12));
    // Runs after every character and every password. Serving the event queue costs far more
    // than drawing a character, so it is done only about once a frame; the stop flag is read
    // every time. Kept inline, so that the drawing keeps its state in registers and only the
    // pump is a call.
    const auto afterEachCharacter = [this] {
        if (duringYield) [[unlikely]]
            duringYield();
        if (throttle_.pumpDue()) [[unlikely]]
            pumpDuringRun();
        return blnStop;
    };
    ResultListModel* results = lvwPW->resultModel();
    for (qint32 number = 1; number <= seisei; ++number) {
        const QString password = GenerateRunPassword(pool, runRule_, mojisu, afterEachCharacter);
        if (unloaded_)
            return;
        results->append(password); // added even when cut short; a stop empties the list later
        finishedPasswords_ = number;
        // After the last password the window is always served before the list is shown.
        if (number == seisei ? yieldNow() : afterEachCharacter())
            return;
    }
}

void frmMain::mnuRunStop_Click() {
    blnStop = true;
    // Only the button: its menu item follows when the run ends.
    toolbarButton(QStringLiteral("M_Start"))->setEnabled(true);
}

bool frmMain::yieldNow() {
    if (duringYield)
        duringYield();
    pumpDuringRun();
    return blnStop;
}

// Brings the count up to date, measures the new passwords for the column while the list is
// hidden anyway, and serves the window's events.
void frmMain::pumpDuringRun() {
    publishProgress();
    lvwPW->measureNewRows();
    QCoreApplication::processEvents();
    throttle_.markPumped();
}

// Freeing a large earlier list (1,000 passwords of 99,999 characters are 200 MB) takes tens of
// milliseconds; it is done a slice at a time so that the window keeps serving its events.
void frmMain::releaseInSlices(QStringList oldResults) {
    constexpr qsizetype kSlice = 32;
    YieldThrottle throttle(std::chrono::milliseconds(16), 1);
    while (!oldResults.isEmpty() && !unloaded_) {
        oldResults.resize(std::max<qsizetype>(0, oldResults.size() - kSlice));
        if (throttle.pumpDue()) {
            QCoreApplication::processEvents();
            throttle.markPumped();
        }
    }
}

void frmMain::yieldToEventQueue() {
    if (duringYield)
        duringYield();
    QCoreApplication::processEvents();
}

// The count is shown whenever the window gets a chance to paint, and at the end.
void frmMain::publishProgress() {
    if (prgCount->value() == finishedPasswords_)
        return;
    prgCount->setValue(finishedPasswords_);
    lblProgressbar->setText(QString::number(finishedPasswords_));
    announcer->announceProgress(finishedPasswords_, prgCount->maximum());
}

void frmMain::sizeResultColumn() {
    lvwPW->autoSizeColumn();
}
