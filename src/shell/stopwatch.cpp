#include "shell/stopwatch.h"

#include "platform/window/clock.h"

Stopwatch FrameClock;

DWORD Stopwatch::Start() {
    startTime_ = timeGetTime();
    return startTime_;
}

std::int32_t Stopwatch::Elapsed() {
    return static_cast<std::int32_t>(timeGetTime() - startTime_);
}

bool Stopwatch::IntervalElapsed(std::int32_t& stored, std::int32_t interval) {
    const std::int32_t now = Elapsed();
    if (static_cast<std::int64_t>(now) < static_cast<std::int64_t>(stored) + interval) return false;
    stored = now;  // overruns are not carried into the next interval
    return true;
}
