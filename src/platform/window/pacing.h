// Internal to src/platform/: frames paced as a 60 Hz display (pacing_desktop.cpp sleeps the
// thread; pacing_web.cpp yields to the browser until the deadline). Called by the window after each
// shown frame when the presenter does not wait for vsync itself.
#pragma once

namespace pacing {

// One absolute sleep to the next 60 Hz deadline; a frame that ran late starts a new schedule.
void SleepToNextFrame();

}  // namespace pacing
