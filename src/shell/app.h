// The process: the entry operation and the main loop. Start-up is start_up.h, one frame
// run_frame.h, the window procedure window_procedure.h, the failure path failure.h.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

// The entry operation: takes the screen, loads everything, runs until quit. 0 after a normal
// quit; 1 after any failure, which is also reported on one line of standard error.
int AppMain(HINSTANCE instance, int showCommand);

// Messages first, then a frame while active; returns the quit message's code (0), or 1 after a
// failed frame (which has already ended the program through EndAfterFailure).
std::int32_t RunMainLoop();
