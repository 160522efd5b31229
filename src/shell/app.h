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

// The full-screen window of the given class; null when it cannot be made (the reason is in
// GetLastWindowErrorText).
HWND CreateMainWindow(const char* className, HINSTANCE instance);
// The shell's copy of the walker sheet, checked against its layout; 0 when it does not load.
[[nodiscard]] std::int32_t LoadShellSheet();
// Start-up: the walker sheet, the World's pictures, then every surface. 0 on the first failure
// (its reason is noted in load_failure).
[[nodiscard]] std::int32_t LoadPictures();
// New shell strips, the World's surfaces, every refill. Called by LoadPictures and after each mode
// switch (which ignores the result: a failed rebuild ends the program through the surfaces).
std::int32_t CreateDisplayObjects();
// Copies every frame of a shell strip from the sheet; 0 after the first failed frame. Called at
// start-up and by RecoverSurfaces.
[[nodiscard]] std::int32_t LoadStripFrames(SurfaceStrip* strip);
// Resets the camera and the frame timing; start-up, just before the main loop.
void StartPlay();
// Messages first, then a frame while active; returns the quit message's code (0), or 1 after a
// failed frame.
std::int32_t RunMainLoop();
// One frame: the tick, then the flip. 0 ends the program (reported on standard error).
std::int32_t RunFrame();
// The window procedure: keys to OnKeyDown, activation to AppActive, destruction shuts down.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Reports a failure on standard error, marks the exit status 1 and ends the program through
// window destruction (which releases everything acquired).
void EndAfterFailure(const char* what);
// 1 once a failure has been reported.
int FailureExitStatus();
