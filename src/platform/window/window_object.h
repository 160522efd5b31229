// Internal to src/platform/: the one window's state, shared by the window's calls, the message
// pump and the presenting of frames.
#pragma once

#include <SDL.h>

#include "platform/presenting/presenter.h"
#include "platform/win_types.h"
#include "platform/window/window_place.h"

struct WindowObject {
    WNDPROC proc = nullptr;
    SDL_Window* sdl = nullptr;
    bool headless = false;   // SDL's dummy driver: nothing to show frames on
    bool seen = false;       // on a screen a user sees (the tests' seams aside): its place matters
    bool hasNormal = false;  // normal holds the window's place outside full screen
    window_place::Box normal{};
    platform_internal::Presenter presenter;
};
