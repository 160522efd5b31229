// Internal to src/platform/: what an X desktop shows besides the game's window, so that a new
// window can go where it covers least of them. Desktop only; called by its window system
// (window_system_desktop.cpp) before the window shows and when it leaves full screen.
#pragma once

#include <vector>

#include "platform/window/window_place.h"

struct SDL_Window;

namespace x11_windows {

// The other windows a user sees, each with its frame: the window manager's clients
// (_NET_CLIENT_LIST), else the root's mapped top-level windows; minimised ones, docks, panels
// and the desktop's own window left out, and at most 256 of them. Empty where the window is not
// an X window (Wayland, SDL's dummy driver).
std::vector<window_place::Box> OtherWindows(SDL_Window* own);

}  // namespace x11_windows
