// The process: the window, the start-up order, the main loop and the window procedure.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/surface_strip.h"
#include "platform/win_types.h"

struct ActorsFile;

// The window class's name, also the window's title and the message box's caption.
constexpr const char* kClassName = "Vorn7 Development";
// The two level files start-up reads.
constexpr const char* kTileLevelFile = "x2.lvl";
constexpr const char* kBlockLevelFile = "x2fg.lvl";

extern HWND MainWindow;
extern std::int32_t AppActive;  // wParam of the last WM_ACTIVATEAPP
extern Bitmap ShellSpriteSheet;
extern ClippedSurfaceStrip* UpperRowStrip;  // 8 frames of 64 x 64 from y = 1
extern ClippedSurfaceStrip* LowerRowStrip;  // 7 frames of 64 x 64 from y = 66

// The entry operation: takes the screen, loads everything, runs until quit. 0 after a normal
// quit; 1 after any failure, which is also reported on one line of standard error.
int AppMain(HINSTANCE instance, int showCommand);

// Start-up up to the main loop: the window, the display, the levels, the pictures, every surface,
// the clock and the camera. False after a failure, which has been reported and has destroyed the
// window. AppMain and the headless starts (headless_start.h) call it.
bool StartUp(HINSTANCE instance, int showCommand);
// The full-screen window of the given class; null when it cannot be made (the reason is in
// GetLastWindowErrorText).
HWND CreateMainWindow(const char* className, HINSTANCE instance);
// The shell's copy of the walker sheet, checked against its layout; 0 when it does not load.
[[nodiscard]] std::int32_t LoadShellSheet();
// Start-up: the walker sheet, the World's pictures, then every surface. 0 on the first failure
// (its reason is noted in load_failure).
[[nodiscard]] std::int32_t LoadPictures();
// Resets the camera and the frame timing; start-up, just before the main loop.
void StartPlay();
// Messages first, then a frame while active; returns the quit message's code (0), or 1 after a
// failed frame (which has already ended the program through EndAfterFailure).
std::int32_t RunMainLoop();
// One frame: the tick, then the flip. A failure ends the program through EndAfterFailure, the
// one failure path (message, window destroyed, everything released), and gives 0.
std::int32_t RunFrame();
// The window procedure: keys to OnKeyDown, activation to AppActive, destruction shuts down.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A level's actors file put to use: its walkers replace the level's actors (none: the one walker
// stays), its start is where the camera starts unless --at was given. Start-up and the watch.
void ApplyActors(const ActorsFile& file);

// Reports a failure on standard error, marks the exit status 1 and ends the program through
// window destruction (which releases everything acquired).
void EndAfterFailure(const char* what);
