// Speed of the random source and of password drawing; prints a table, never fails.
#include "CharacterPool.h"
#include "PasswordGenerator.h"
#include "RandomSource.h"
#include "YieldThrottle.h"

#include <algorithm>
#include <cstdio>
#include <time.h>

namespace {

// Processor time of this thread: time spent waiting for a shared core does not count.
double threadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The fastest of three rounds.
template <typename Work>
void measure(const char* name, const char* unit, long long count, Work&& work) {
    double best = 1e300;
    double checksum = 0;
    for (int round = 0; round < 3; ++round) {
        const double start = threadSeconds();
        checksum = work(count);
        best = std::min(best, threadSeconds() - start);
    }
    std::printf("%-44s %14.0f %-6s %8.2f ns  (checksum %.0f)\n", name, double(count) / best, unit,
                best * 1e9 / double(count), checksum);
}

} // namespace

int main() {
    GenerationOptions options;
    options.digits = options.upper = options.lower = true;
    const CharacterPool pool = BuildCharacterPool(options);
    RandomSource& source = ProcessRandomSource();

    std::printf("%-44s %14s %-6s %11s\n", "operation", "per second", "unit", "each");
    measure("RandomSource::next<quint8>", "values", 300'000'000, [&](long long n) {
        double sum = 0;
        for (long long i = 0; i < n; ++i)
            sum += source.next<quint8>();
        return sum;
    });
    measure("RandomSource::next<quint32>", "values", 100'000'000, [&](long long n) {
        double sum = 0;
        for (long long i = 0; i < n; ++i)
            sum += source.next<quint32>();
        return sum;
    });
    measure("DrawIndex(IndexRange(62)), with reseed", "values", 100'000'000, [&](long long n) {
        const IndexRange range(62);
        double sum = 0;
        for (long long i = 0; i < n; ++i)
            sum += double(DrawIndex(range, source));
        return sum;
    });
    measure("one character (62, with reseed)", "chars", 100'000'000, [&](long long n) {
        double sum = 0;
        for (long long i = 0; i < n; ++i)
            sum += pool.at(DrawIndex(pool.size(), source));
        return sum;
    });
    measure("GeneratePassword 62 x 16, trivial hook", "chars", 100'000'000, [&](long long n) {
        double sum = 0;
        for (long long done = 0; done < n; done += 16)
            sum += GeneratePassword(pool, 16, source, [] { return false; }).size();
        return sum;
    });
    measure("GeneratePassword 62 x 99999, trivial hook", "chars", 99'999LL * 1000,
            [&](long long n) {
                double sum = 0;
                for (long long done = 0; done < n; done += 99'999)
                    sum += GeneratePassword(pool, 99'999, source, [] { return false; }).size();
                return sum;
            });
    YieldThrottle throttle;
    long long pumps = 0;
    measure("GeneratePassword 62 x 16, throttled hook", "chars", 100'000'000, [&](long long n) {
        bool stop = false;
        for (long long done = 0; done < n; done += 16) {
            GeneratePassword(pool, 16, source, [&] {
                if (throttle.pumpDue()) {
                    ++pumps;
                    throttle.markPumped();
                }
                return stop;
            });
        }
        return double(pumps);
    });
    return 0;
}
