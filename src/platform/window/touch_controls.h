// Internal to src/platform/: a touch screen on the desktop plays as the page's touch controls do.
// The first touch shows thumb-sized controls over the window's lower corners (Up, Left, Right,
// Down at the left, Jump at the right); each finger presses the key of the control under it for
// as long as it stays there, so several fingers run and jump at once; a key pressed on a
// keyboard takes them away. Used by SDL's events (sdl_events.cpp) and the presenter, which draws
// them over the frame.
#pragma once

#include <SDL.h>

#include <array>

#include "platform/win_types.h"

namespace platform_internal::touch_controls {

struct Control {
    int key;        // the virtual key it presses
    SDL_Rect rect;  // in the window's pixels
};
constexpr std::size_t kControlCount = 5;
using Layout = std::array<Control, kControlCount>;

// The controls for a window of width x height pixels.
Layout LayOut(int width, int height);
// Turns a finger's event into key messages for window; false for any other event. The window's
// size in pixels places the controls.
bool TranslateTouchEvent(const SDL_Event& event, HWND window, int width, int height);
// A keyboard's key: the controls go, and every key they held is let go. True when they were shown.
bool HideForKeyboard(HWND window);
bool Shown();
// Whether control i is held by a finger now (drawn lit).
bool Held(std::size_t i);

}  // namespace platform_internal::touch_controls
