// One frame: the tick, then the flip. Run by the main loop (app.h) and by the window procedure
// for the frame a watched save shows while the game is inactive.
#pragma once

#include <cstdint>

// 1 after a good frame. A failure ends the program through the one failure path (failure.h) and
// gives 0.
std::int32_t RunFrame();
