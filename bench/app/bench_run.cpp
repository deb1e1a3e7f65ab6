// Times real runs in the real window (offscreen): start to idle, the longest time the window
// goes without serving its events, how quickly a stop takes effect, and peak memory.
// pwgen, where installed (bench/run_benchmarks.sh installs it), is timed on the same machine.
#include "MainWindow.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFixture.h"
#include "WindowFont.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>

namespace {
struct RunFigures {
    double seconds = 0;
    double cpuSeconds = 0;
    double longestGapMs = 0;
    double stopLatencyMs = -1;
    int items = 0;
};

// Seconds that pwgen takes for the same 99,999 passwords of 16; 0 when it is not installed.
double timePwgen() {
    const QString pwgen = QStandardPaths::findExecutable(QStringLiteral("pwgen"));
    if (pwgen.isEmpty())
        return 0;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(pwgen, {"-s", "-1", "16", "99999"});
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

// Processor time of the whole process, user and system: on a shared machine the wall time also
// counts the waits for a core.
double processCpuSeconds() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs count passwords of length characters; when stopAfterMs >= 0 the stop command is given after
// that long.
RunFigures timeRun(MainWindow& window, int length, int count, int stopAfterMs = -1) {
    Part<QLineEdit>(window, "lengthBox")->setText(QString::number(length));
    Part<QLineEdit>(window, "countBox")->setText(QString::number(count));
    RunFigures figures;
    QElapsedTimer clock;
    QElapsedTimer sinceServed;
    // A zero-interval timer fires each time the window serves its events.
    QTimer heartbeat;
    heartbeat.setInterval(0);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        figures.longestGapMs = std::max(figures.longestGapMs, sinceServed.nsecsElapsed() / 1e6);
        sinceServed.restart();
    });
    qint64 stopAt = -1;
    QTimer stopper;
    stopper.setSingleShot(true);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        stopAt = clock.nsecsElapsed();
        window.actions().stop->trigger();
    });
    heartbeat.start();
    if (stopAfterMs >= 0)
        stopper.start(stopAfterMs);
    const double cpuStart = processCpuSeconds();
    clock.start();
    sinceServed.start();
    QEventLoop loop;
    QObject::connect(&window.runController(), &RunController::ended, &loop, &QEventLoop::quit);
    window.actions().start->trigger();
    if (window.runController().state() == RunState::Running)
        loop.exec();
    const qint64 end = clock.nsecsElapsed();
    figures.cpuSeconds = processCpuSeconds() - cpuStart;
    heartbeat.stop();
    // The stretch from the last served event to the end of the run counts too.
    figures.longestGapMs = std::max(figures.longestGapMs, sinceServed.nsecsElapsed() / 1e6);
    figures.seconds = end / 1e9;
    if (stopAt >= 0)
        figures.stopLatencyMs = (end - stopAt) / 1e6;
    figures.items = Part<ResultListView>(window, "resultList")->resultModel()->count();
    return figures;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir dir;
    MainWindow window(nullptr, dir.path());
    window.show();
    QApplication::processEvents();

    // "bench_run short N": only N runs of 99,999 x 16, for a profiler.
    if (argc == 3 && QByteArray(argv[1]) == "short") {
        for (int i = 0; i < QByteArray(argv[2]).toInt(); ++i) {
            const RunFigures f = timeRun(window, 16, 99999);
            std::printf("99,999 x 16: %.0f ms, %.0f ms processor time\n", f.seconds * 1000,
                        f.cpuSeconds * 1000);
        }
        return 0;
    }
    const long rssBefore = peakRssKiB();
    const RunFigures small = timeRun(window, 16, 99999);
    const long rssAfterSmall = peakRssKiB();
    const RunFigures long_ = timeRun(window, 99999, 1000);
    const RunFigures stopped = timeRun(window, 99999, 1000, 300);

    std::printf("%-40s %12s %10s %14s %12s %8s\n", "run", "start-idle", "cpu", "longest gap",
                "stop takes", "items");
    const auto row = [](const char* name, const RunFigures& f) {
        std::printf("%-40s %10.0f ms %7.0f ms %11.1f ms %9s ms %8d\n", name, f.seconds * 1000,
                    f.cpuSeconds * 1000, f.longestGapMs,
                    f.stopLatencyMs < 0 ? "-"
                                        : QByteArray::number(f.stopLatencyMs, 'f', 1).constData(),
                    f.items);
    };
    row("99,999 x 16, pool of 62", small);
    row("1,000 x 99,999, pool of 62", long_);
    row("1,000 x 99,999, stopped after 300 ms", stopped);
    std::printf("\npeak memory: %.1f MB before the first run, %.1f MB after 99,999 x 16 "
                "(+%.1f MB)\n",
                rssBefore / 1024.0, rssAfterSmall / 1024.0, (rssAfterSmall - rssBefore) / 1024.0);
    const double pwgenSeconds = timePwgen();
    if (pwgenSeconds == 0)
        std::printf("pwgen is not installed: no comparison\n");
    else
        std::printf("pwgen -s -1 16 99999: %.0f ms; キーミル is %.1f times faster\n",
                    pwgenSeconds * 1000, pwgenSeconds / small.seconds);
    return 0;
}
