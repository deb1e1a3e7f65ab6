// The run as a unit: a plan drawn into a list in slices, stopped, refused for memory.
#include "RunController.h"

#include "ResultListModel.h"
#include "RunMemory.h"
#include "Sanitized.h"

#include <QSignalSpy>
#include <QTest>
#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(RunEnd)

namespace {
RunPlan Plan(qint32 length, qint32 count, const QString& extra = QString()) {
    RunRequest request;
    request.characters.digits = true;
    request.characters.extra = !extra.isEmpty();
    request.characters.extraText = extra;
    request.length = length;
    request.count = count;
    return std::get<RunPlan>(PlanRun(request));
}

// A controller over its own list; ended() is waited for by run().
struct Run {
    ResultListModel list;
    RunController controller{list};
    QSignalSpy ended{&controller, &RunController::ended};

    RunEnd run(RunPlan plan) {
        if (!controller.start(std::move(plan)))
            return RunEnd::Stopped;
        if (ended.isEmpty())
            ended.wait(60000);
        return ended.takeLast().at(0).value<RunEnd>();
    }
};
} // namespace

class TestRunController : public QObject {
    Q_OBJECT
private slots:
    void completesInSlices();
    void stopEmptiesTheList();
    void startWhileRunningIsRefused();
    void memoryRefusesBeforeTheListChanges();
    void allocationFailureEndsAsAStop();
    void realAddressSpaceLimit();
};

void TestRunController::completesInSlices() {
    Run r;
    r.list.append("old");
    r.controller.maxPasswordsPerSlice = 7;
    QSignalSpy progress(&r.controller, &RunController::progress);
    QCOMPARE(r.run(Plan(8, 20)), RunEnd::Completed);
    QCOMPARE(r.list.count(), 20);
    for (const QString& password : r.list.texts())
        QCOMPARE(password.size(), 8);
    QCOMPARE(progress.size(), 3); // 7, 14, 20: the window is served between them
    QCOMPARE(progress.last().at(0).toInt(), 20);
    QCOMPARE(r.controller.state(), RunState::Idle);
}

// The stop takes effect at once, between two slices: the list is emptied, old rows too.
void TestRunController::stopEmptiesTheList() {
    Run r;
    r.controller.maxPasswordsPerSlice = 1;
    QCOMPARE(r.run(Plan(4, 5)), RunEnd::Completed);
    connect(&r.controller, &RunController::progress, &r.controller, [&](int drawn) {
        if (drawn == 2)
            r.controller.stop();
    });
    QCOMPARE(r.run(Plan(4, 50)), RunEnd::Stopped);
    QCOMPARE(r.list.count(), 0);
    QCOMPARE(r.controller.drawn(), 2);
    QCOMPARE(r.controller.state(), RunState::Idle);
}

void TestRunController::startWhileRunningIsRefused() {
    Run r;
    r.controller.maxPasswordsPerSlice = 1;
    bool second = true;
    connect(&r.controller, &RunController::progress, &r.controller,
            [&] { second = r.controller.start(Plan(2, 2)); });
    QCOMPARE(r.run(Plan(3, 4)), RunEnd::Completed);
    QVERIFY(!second);
    QCOMPARE(r.list.count(), 4);
}

// A character beyond the Basic Multilingual Plane takes two UTF-16 units; the check counts them.
void TestRunController::memoryRefusesBeforeTheListChanges() {
    Run r;
    r.list.append("kept");
    const quint64 bmpRun = EstimateRunBytes(1000, 1000, 1);
    r.controller.availableMemory = [bmpRun] { return 2 * bmpRun + 4096; };
    QVERIFY(!r.controller.start(Plan(1000, 1000, QString::fromUtf8("😀"))));
    QCOMPARE(r.list.texts(), QStringList{"kept"});
    QCOMPARE(r.run(Plan(1000, 1000)), RunEnd::Completed);
}

// Memory that the check expected but the system would not give: the run ends as a stop does.
void TestRunController::allocationFailureEndsAsAStop() {
    Run r;
    r.controller.maxPasswordsPerSlice = 10;
    connect(&r.controller, &RunController::progress, &r.controller, [](int drawn) {
        if (drawn == 700)
            throw std::bad_alloc();
    });
    QCOMPARE(r.run(Plan(5, 1000)), RunEnd::OutOfMemory);
    QCOMPARE(r.list.count(), 0);
    QCOMPARE(r.run(Plan(5, 100)), RunEnd::Completed);
}

// In a child process under a real address-space limit: the check refuses the run, and a run
// that gets past it (the check told there is no limit) fails to allocate and ends as a stop.
void TestRunController::realAddressSpaceLimit() {
    SKIP_WHEN_SANITIZED();
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        Run r;
        const rlim_t cap = ReadMemoryFacts().addressSpaceUsed + (quint64(160) << 20);
        const rlimit limit{cap, cap};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(10);
        if (r.controller.start(Plan(5000, 99999)))
            _exit(11);
        r.controller.availableMemory = [] { return kNoMemoryLimit; };
        if (r.run(Plan(5000, 99999)) != RunEnd::OutOfMemory || r.list.count() != 0)
            _exit(12);
        _exit(r.run(Plan(8, 100)) == RunEnd::Completed && r.list.count() == 100 ? 0 : 13);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the child died instead of ending the run");
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestRunController)
#include "tst_RunController.moc"
