// Pacing in the browser: the main loop is a blocking loop under ASYNCIFY, and this sleep is where
// it yields to the browser each frame (its events, the canvas shown). Emscripten takes an
// absolute clock_nanosleep as a relative one and busy-waits, so the sleep is emscripten_sleep.
#include <emscripten.h>

#include <cstdint>

#include "platform/window/pacing.h"

namespace pacing {

namespace {
double g_nextFrameMs = 0;
unsigned g_framesPaced = 0;
}  // namespace

// The frames shown so far: the page (and its test) can tell a running game from a stopped one
// even while the picture does not change.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned vorn7_frames_shown() {
    return g_framesPaced;
}

void SleepToNextFrame() {
    ++g_framesPaced;
    constexpr double kPeriod = 1000.0 / 60;
    const double now = emscripten_get_now();
    if (g_nextFrameMs == 0 || now > g_nextFrameMs + kPeriod) g_nextFrameMs = now;
    g_nextFrameMs += kPeriod;
    // Always yield, even to a deadline already passed: the page must get its turn.
    const double wait = g_nextFrameMs - now;
    emscripten_sleep(wait > 0 ? static_cast<unsigned>(wait) : 0);
}

}  // namespace pacing
