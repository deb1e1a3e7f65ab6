#pragma once

#include "RunPlan.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <limits>

class ResultListModel;

// Where a run stands. A window has one run controller; it is idle between runs.
enum class RunState { Idle, Running };

// How a run ended.
enum class RunEnd {
    Completed,   // every password is in the list (none for an empty pool)
    Stopped,     // the stop command ended it; the list is empty
    OutOfMemory, // the list could not get its memory; it ends as a stopped run
};

// Fills a result list with the passwords of one plan while the window goes on serving its
// events. The drawing is done in slices from the event loop, never inside a re-entered one: a
// slice draws for about one frame and returns, so painting, resizing and the stop command run
// between slices, and a stop takes effect at once.
//
// The list is emptied when a run starts (the old rows are freed a slice at a time too: 1,000
// passwords of 99,999 characters are 200 MB) and again when it is stopped.
class RunController : public QObject {
    Q_OBJECT
public:
    explicit RunController(ResultListModel& results, QObject* parent = nullptr);
    ~RunController() override;

    RunState state() const { return m_state; }
    // Passwords drawn by the current or the last run.
    int drawn() const { return m_drawn; }

    // Starts drawing the plan's passwords and returns at once. Refused (false) while a run is
    // active, and when the list would take more than half of the memory the process may still
    // allocate, so that copying, sorting and saving it still find room.
    bool start(RunPlan plan);
    // Ends an active run as a stopped one; nothing happens while idle.
    void stop();

    // How much memory the process may still allocate (tests replace it).
    std::function<quint64()> availableMemory;
    // How long one slice draws before the window is served again: a little under a frame, so
    // that the window is never left for more than about 20 ms. Tests also cap its passwords.
    std::chrono::milliseconds sliceTime{12};
    int maxPasswordsPerSlice = std::numeric_limits<int>::max();

signals:
    // After every slice, with the passwords drawn so far.
    void progress(int drawn);
    void ended(RunEnd end);

private:
    void runSlice();
    bool releaseOldRows(std::chrono::steady_clock::time_point sliceEnd);
    bool drawPasswords(std::chrono::steady_clock::time_point sliceEnd);
    void finish(RunEnd end);

    ResultListModel& m_results;
    QTimer m_slices; // fires each time the event loop has served what was waiting
    RunState m_state = RunState::Idle;
    RunPlan m_plan;
    std::unique_ptr<RunDraw> m_draw; // over m_plan, for the run's lifetime
    bool m_drawsByRank = false;
    QStringList m_oldRows;
    quint64 m_neededBytes = 0;
    bool m_memoryPrepared = false;
    int m_drawn = 0;
    int m_cutStretch = 1; // doubles the time a password may take after each cut
};
