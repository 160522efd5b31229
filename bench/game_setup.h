// Brings the real program up to the point where frames run (window, display, levels, pictures,
// surfaces), headless and unpaced, for benchmarks.
#pragma once

namespace game_setup {

// Idempotent. Returns false (with a message on stderr) when start-up fails.
bool Start();
// Switches to a display mode with the system's own mode switch, going through the cycles.
void SwitchTo(int width, int height, int depth);

}  // namespace game_setup
