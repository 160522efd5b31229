// Internal to src/platform/: frames paced as a display (pacing_desktop.cpp sleeps the thread to a
// 60 Hz deadline; pacing_web.cpp yields to the browser until its next animation frame). Called by
// present_surface.cpp after each shown frame when the presenter does not wait for vsync itself.
#pragma once

namespace pacing {

// Waits for the next frame: one absolute sleep to the next 60 Hz deadline (a frame that ran late
// starts a new schedule), or the browser's next animation frame.
void SleepToNextFrame();

}  // namespace pacing
