// What the rules of real sites cost: minimums against the plain run, a long run limit, distinct
// passwords. Draws as keymill-cli does (RunDraw), without writing; prints a table, never fails.
#include "RunPlan.h"

#include <algorithm>
#include <cstdio>
#include <time.h>
#include <variant>

namespace {

// Processor time of this thread: time spent waiting for a shared core does not count.
double threadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The fastest of three rounds of planning and drawing the whole run, in seconds.
double runSeconds(const RunRequest& request) {
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        const double start = threadSeconds();
        const RunPlanOutcome outcome = PlanRun(request);
        const RunPlan& plan = std::get<RunPlan>(outcome);
        RunDraw draw(plan);
        qint64 units = 0;
        for (qint32 i = 0; i < plan.count; ++i)
            units += draw.next(ProcessRandomSource(), [] { return false; }).size();
        best = std::min(best, threadSeconds() - start);
        if (units != qint64(plan.count) * plan.length)
            std::printf("wrong length\n");
    }
    return best;
}

RunRequest Request(qint64 length, qint64 count) {
    RunRequest request;
    request.characters.digits = request.characters.upper = request.characters.lower = true;
    request.characters.symbols = SymbolSet::JisUs;
    request.length = length;
    request.count = count;
    return request;
}

} // namespace

int main() {
    std::printf("%-58s %10s %14s %8s\n", "run", "ms", "chars/s", "ratio");
    const RunRequest plain = Request(16, 99999);
    const double plainSeconds = runSeconds(plain);
    const auto row = [&](const char* name, const RunRequest& request, double base) {
        const double seconds = runSeconds(request);
        std::printf("%-58s %10.1f %14.0f %8.2f\n", name, seconds * 1e3,
                    double(request.length * request.count) / seconds, seconds / base);
    };
    row("-s jis-us -l 16 -c 99999 (plain)", plain, plainSeconds);
    RunRequest minimums = plain;
    minimums.minimums = {.digits = 3, .upper = 2, .symbols = 1};
    row("  --min-digits 3 --min-upper 2 --min-symbols 1", minimums, plainSeconds);
    RunRequest unique = plain;
    unique.unique = true;
    row("  -U", unique, plainSeconds);
    RunRequest longPlain = Request(99999, 100);
    longPlain.characters.symbols = SymbolSet::None;
    const double longSeconds = runSeconds(longPlain);
    row("-l 99999 -c 100 (plain)", longPlain, longSeconds);
    RunRequest longRun = longPlain;
    longRun.maxRun = 2;
    row("  --max-run 2", longRun, longSeconds);
    RunRequest digitsUnique;
    digitsUnique.characters.digits = true;
    digitsUnique.length = 6;
    digitsUnique.count = 200000;
    digitsUnique.unique = true;
    row("-d -l 6 -c 200000 -U (by rank)", digitsUnique, 1);
    return 0;
}
