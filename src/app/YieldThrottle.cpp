#include "YieldThrottle.h"

#include <algorithm>

YieldThrottle::YieldThrottle(std::chrono::nanoseconds interval, int callsPerClockRead)
    : interval_(interval), callsPerClockRead_(std::max(1, callsPerClockRead)),
      lastPump_(Clock::now()) {}

void YieldThrottle::markPumped() {
    lastPump_ = Clock::now();
    callsSinceClockRead_ = 0;
}
