// Pacing in the browser: the main loop is a blocking loop under ASYNCIFY, and the wait after each
// shown frame is where it yields to the browser (its events, the canvas shown). It waits for the
// browser's next animation frame, the display's own clock, so that every refresh shows exactly
// one new frame at 60 Hz as at 120; the game's time steps stay fixed. A hidden page gets no
// animation frames, and the game waits with it.
#include <emscripten.h>

#include "platform/window/pacing.h"

namespace pacing {

namespace {
unsigned g_framesPaced = 0;

EM_ASYNC_JS(void, WaitForAnimationFrame, (), {
    await new Promise((resolve) => requestAnimationFrame(() => resolve()));
});
}  // namespace

// The frames shown so far: the page (and its test) can tell a running game from a stopped one
// even while the picture does not change.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned vorn7_frames_shown() {
    return g_framesPaced;
}

void SleepToNextFrame() {
    ++g_framesPaced;
    WaitForAnimationFrame();
}

}  // namespace pacing
