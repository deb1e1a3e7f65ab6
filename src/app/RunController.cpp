#include "RunController.h"

#include "RandomSource.h"
#include "ResultListMemory.h"
#include "ResultListModel.h"
#include "RunMemory.h"
#include "YieldThrottle.h"

#include <new>

namespace {
using Clock = std::chrono::steady_clock;

// A password that takes this many slices on its own (a rule met only once in thousands of
// draws) is cut there and drawn afresh in the next slice, so that the window is never left
// for long. A cut depends on time alone, never on the characters drawn, so the passwords that
// are kept are drawn exactly as without cuts. Each cut doubles the time the next try gets, so
// a password that truly needs longer (a slow or busy machine) still gets made.
constexpr int kSlicesBeforeCut = 4;
} // namespace

RunController::RunController(ResultListModel& results, QObject* parent)
    : QObject(parent), m_results(results) {
    availableMemory = [] { return AvailableMemoryBytes(); };
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &RunController::runSlice);
}

RunController::~RunController() = default;

bool RunController::start(RunPlan plan) {
    if (m_state != RunState::Idle)
        return false;
    // The pool tells how much a character weighs: a character beyond the Basic Multilingual
    // Plane takes two UTF-16 units, a letter with its accents as many as it has code points.
    const quint64 needed = EstimateRunBytes(plan.length, plan.count, plan.pool.maxEntryUnits());
    if (!RunFitsInMemory(needed, availableMemory()))
        return false;
    m_plan = std::move(plan);
    m_draw = std::make_unique<RunDraw>(m_plan);
    m_drawsByRank = m_plan.unique && m_plan.law && m_plan.law->canRank();
    m_neededBytes = m_plan.pool.isEmpty() ? 0 : needed;
    m_memoryPrepared = false;
    m_drawn = 0;
    m_cutStretch = 1;
    m_state = RunState::Running;
    m_oldRows = m_results.takeAll(); // the previous results are gone from here on
    m_slices.start();
    return true;
}

void RunController::stop() {
    if (m_state == RunState::Running)
        finish(RunEnd::Stopped);
}

void RunController::runSlice() {
    const Clock::time_point sliceEnd = Clock::now() + sliceTime;
    try {
        if (!releaseOldRows(sliceEnd))
            return;
        if (!m_memoryPrepared) {
            PrepareListMemory(m_neededBytes);
            m_memoryPrepared = true;
        }
        const bool done = drawPasswords(sliceEnd);
        emit progress(m_drawn);
        if (done && m_state == RunState::Running) // a stop may have come with the progress
            finish(RunEnd::Completed);
    } catch (const std::bad_alloc&) {
        // The check leaves room, but other programs and the process's own limits may still
        // take it away: the run ends as a stopped one, and says why.
        finish(RunEnd::OutOfMemory);
    }
}

// Frees the previous list a few rows at a time; true once nothing is left of it.
bool RunController::releaseOldRows(Clock::time_point sliceEnd) {
    constexpr qsizetype kRows = 32;
    while (!m_oldRows.isEmpty()) {
        m_oldRows.resize(std::max<qsizetype>(0, m_oldRows.size() - kRows));
        if (Clock::now() >= sliceEnd)
            return m_oldRows.isEmpty();
    }
    m_oldRows = QStringList(); // gives back the array too
    return true;
}

// Draws until the slice's time is up; true once every password is drawn.
bool RunController::drawPasswords(Clock::time_point sliceEnd) {
    if (m_plan.pool.isEmpty())
        return true;
    // The clock is read about once every 4,096 characters: between passwords, and inside a
    // password only to cut one that would hold the window far too long.
    const int passwordsPerClockRead = std::max(1, 4096 / std::max(1, m_plan.length));
    YieldThrottle cut(
        std::max(sliceTime, std::chrono::milliseconds(1)) * kSlicesBeforeCut * m_cutStretch, 4096);
    bool wasCut = false;
    const auto afterEachCharacter = [&] {
        if (cut.pumpDue()) [[unlikely]]
            wasCut = true;
        return wasCut;
    };
    for (int sinceClockRead = 0, inSlice = 0; m_drawn < m_plan.count;) {
        QString password = m_draw->next(ProcessRandomSource(), afterEachCharacter);
        // A password drawn by rank is whole when the hook is asked: only a cut of a password
        // drawn character by character loses it.
        if (wasCut && !m_drawsByRank) {
            m_cutStretch *= 2;
            return false;
        }
        m_cutStretch = 1;
        m_results.append(password);
        ++m_drawn;
        if (++inSlice == maxPasswordsPerSlice)
            break;
        if (++sinceClockRead == passwordsPerClockRead) {
            sinceClockRead = 0;
            if (Clock::now() >= sliceEnd)
                break;
        }
    }
    return m_drawn == m_plan.count;
}

void RunController::finish(RunEnd end) {
    m_slices.stop();
    m_state = RunState::Idle;
    m_draw.reset();
    m_plan = RunPlan();
    if (end != RunEnd::Completed) {
        m_results.clear();
        m_oldRows = QStringList();
    }
    emit ended(end);
}
