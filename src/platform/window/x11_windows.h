// Internal to src/platform/: what an X desktop shows besides the game's window, so that a new
// window can go where it covers least of them. Desktop only; called by its window system
// (window_system_desktop.cpp) before the window shows and when it leaves full screen.
#pragma once

#include <vector>

#include "platform/window/window_place.h"

struct SDL_Window;

namespace x11_windows {

struct OtherWindows {
    std::vector<window_place::Box> boxes;  // each with its frame
    // The frame the window manager draws around them (the widest seen): a new window gets the
    // same, though it has none until it shows.
    int frameLeft = 0, frameRight = 0, frameTop = 0, frameBottom = 0;
};

// The other windows a user sees: the window manager's clients (_NET_CLIENT_LIST), else the
// root's mapped top-level windows; minimised ones, docks, panels and the desktop's own window
// left out, and at most 256 of them. None where the window is not an X window (Wayland, SDL's
// dummy driver).
OtherWindows Find(SDL_Window* own);

}  // namespace x11_windows
