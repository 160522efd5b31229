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

// Unwinds the loop until the browser's next animation frame and resumes it there as Emscripten's
// own sleep resumes (callUserCallback), so that the end of main still ends the runtime and the
// page hears of it. An async JavaScript function would resume it outside that, and main's end
// would go unheard. Listed in ASYNCIFY_IMPORTS (packaging/web.cmake).
EM_JS(void, vorn7_wait_for_frame, (), {
    Asyncify.handleSleep(function(wakeUp) {
        runtimeKeepalivePush();
        requestAnimationFrame(function() {
            runtimeKeepalivePop();
            callUserCallback(wakeUp);
        });
    });
});
}  // namespace

// The frames shown so far: the page (and its test) can tell a running game from a stopped one
// even while the picture does not change.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned vorn7_frames_shown() {
    return g_framesPaced;
}

void SleepToNextFrame() {
    ++g_framesPaced;
    vorn7_wait_for_frame();
}

}  // namespace pacing
