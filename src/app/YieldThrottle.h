#pragma once

#include <chrono>

// Decides when a long loop should let the event queue run. Pumping events after every
// character costs about 2 us each time; pumping once a frame keeps the window responsive at a
// fraction of that. The caller still checks its stop flag on every call; only the pump is
// thinned out. A stop request arrives through a pump, so it is noticed at most one interval
// plus callsPerClockRead calls after the click.
//
// Construction counts as a pump: the first pump falls due once interval has passed after it
// (a run pumps once itself just before it starts drawing).
class YieldThrottle {
public:
    explicit YieldThrottle(std::chrono::nanoseconds interval = std::chrono::milliseconds(16),
                           int callsPerClockRead = 256);

    // Cheap: counts calls and reads the steady clock only every callsPerClockRead calls.
    bool pumpDue() {
        if (++callsSinceClockRead_ < callsPerClockRead_)
            return false;
        callsSinceClockRead_ = 0;
        return Clock::now() - lastPump_ >= interval_;
    }
    void markPumped();

private:
    using Clock = std::chrono::steady_clock;

    std::chrono::nanoseconds interval_;
    int callsPerClockRead_;
    int callsSinceClockRead_ = 0;
    Clock::time_point lastPump_;
};
