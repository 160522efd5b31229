// The game window's procedure: what each message means to the game. The window class names it;
// the message pump calls it.
#pragma once

#include "platform/win_types.h"

// The window procedure: keys to OnKeyDown, activation to AppActive, destruction shuts down.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
