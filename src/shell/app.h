// The process: its window and the shell's globals, the main loop, the one failure path. Start-up
// is start_up.h, the window procedure window_procedure.h.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/surface_strip.h"
#include "platform/win_types.h"

// The window class's name, also the window's title and the message box's caption.
constexpr const char* kClassName = "Vorn7 Development";

extern HWND MainWindow;
extern std::int32_t AppActive;  // wParam of the last WM_ACTIVATEAPP
// The shell's copy of the walker sheet and its two strips. Nothing draws them: they stay because
// the surfaces' life cycle is defined with them (made, refilled, restored and released with the
// others at every start, mode switch and loss), and a sheet too small for them fails the start.
extern Bitmap ShellSpriteSheet;
extern ClippedSurfaceStrip* UpperRowStrip;  // the walker sheet's top row (kWalkerSheet)
extern ClippedSurfaceStrip* LowerRowStrip;  // its lower row, 7 frames

// The entry operation: takes the screen, loads everything, runs until quit. 0 after a normal
// quit; 1 after any failure, which is also reported on one line of standard error.
int AppMain(HINSTANCE instance, int showCommand);

// Messages first, then a frame while active; returns the quit message's code (0), or 1 after a
// failed frame (which has already ended the program through EndAfterFailure).
std::int32_t RunMainLoop();
// One frame: the tick, then the flip. A failure ends the program through EndAfterFailure, the
// one failure path (message, window destroyed, everything released), and gives 0.
std::int32_t RunFrame();
// Reports a failure on standard error, marks the exit status 1 and ends the program through
// window destruction (which releases everything acquired).
void EndAfterFailure(const char* what);
// Reports a failure on one line of standard error (and in a message box when no terminal shows
// it) and marks the exit status 1. Start-up's failures and EndAfterFailure.
void ReportFailure(const char* what);
