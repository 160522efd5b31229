// Internal to src/platform/: the one window's state, shared by the window's calls, the message
// pump and the presenting of frames.
#pragma once

#include <SDL.h>

#include "platform/presenting/presenter.h"
#include "platform/win_types.h"

struct WindowObject {
    WNDPROC proc = nullptr;
    SDL_Window* sdl = nullptr;
    bool headless = false;  // SDL's dummy driver: nothing to show frames on
    platform_internal::Presenter presenter;
};
