#include "platform/window/pacing.h"

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace pacing {

namespace {

std::int64_t g_nextFrameNs = 0;

std::int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

}  // namespace

void SleepToNextFrame() {
    constexpr std::int64_t kPeriod = 1000000000 / 60;
    const std::int64_t now = NowNs();
    if (g_nextFrameNs == 0 || now > g_nextFrameNs + kPeriod) g_nextFrameNs = now;
    g_nextFrameNs += kPeriod;
    const timespec deadline{static_cast<time_t>(g_nextFrameNs / 1000000000),
                            static_cast<long>(g_nextFrameNs % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

}  // namespace pacing
