// The shell's globals: the window, whether the game is the active application, and the shell's
// copy of the walker sheet with its two strips. A leaf the other shell files use.
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
