// The process: the window, the start-up order, the main loop and the window procedure. The
// display code calls back into CreateDisplayObjects and LoadStripFrames after mode switches and
// lost surfaces.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/surface_strip.h"
#include "platform/win_types.h"

extern HWND MainWindow;
extern std::int32_t AppActive;  // wParam of the last WM_ACTIVATEAPP
extern Bitmap ShellSpriteSheet;
extern ClippedSurfaceStrip* UpperRowStrip;  // 8 frames of 64 x 64 from y = 1
extern ClippedSurfaceStrip* LowerRowStrip;  // 7 frames of 64 x 64 from y = 66

// The entry operation: takes the screen, loads everything, runs until quit. 0 after a normal
// quit; 1 after any failure, which is also reported on one line of standard error.
int AppMain(HINSTANCE instance, int showCommand);

HWND CreateMainWindow(const char* className, HINSTANCE instance);
std::int32_t LoadPictures();
std::int32_t CreateDisplayObjects();
std::int32_t LoadStripFrames(SurfaceStrip* strip);
void StartPlay();
std::int32_t RunMainLoop();
std::int32_t RunFrame();
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Reports a failure on standard error, marks the exit status 1 and ends the program through
// window destruction (which releases everything acquired).
void EndAfterFailure(const char* what);
// 1 once a failure has been reported.
int FailureExitStatus();
