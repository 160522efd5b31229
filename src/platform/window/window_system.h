// Internal to src/platform/: what differs between the platforms under the one window: starting
// SDL's video for the display there is, how the window is made and sized, and full screen. One
// file per platform (window_system_desktop.cpp, window_system_web.cpp); CMake picks one. Called by
// the window (window.cpp), the message pump and the presenting of frames.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window/window_place.h"

struct SDL_Window;

namespace window_system {

// Starts SDL's video (and timer) for this platform's display, once; false with the reason.
bool StartVideo(std::string& reason);
// Whether video started: without it no event can ever arrive.
bool VideoStarted();
// SDL's flags for a new, hidden window: a full-screen pop-up or an ordinary resizable window.
std::uint32_t CreationFlags(bool windowed, bool headless);
// Called before each shown frame: where the page sizes the canvas by the frame (the web), the
// window takes the frame's size; on the desktop the window keeps the size it has.
void FollowFrame(SDL_Window* window, int frameWidth, int frameHeight);
// Puts a window that is not full screen at its place before it shows, or as it leaves full
// screen: wanted (its outer top-left and inside size) where that lies on a display, else a window
// of width by height where it covers least of the others (window_place.h). In a browser the page
// places the canvas.
void PlaceWindow(SDL_Window* window, const window_place::Box* wanted, int width, int height);
// Where the window is now: its outer top-left (the frame's, where the window manager draws one)
// and its inside's size.
window_place::Box OuterPlace(SDL_Window* window);
// Full screen as this platform knows it, or back to a window: at normal (null: none known yet,
// a window of the frame's size where it covers least of the others).
bool SetFullScreen(SDL_Window* window, bool on, const window_place::Box* normal, int frameWidth,
                   int frameHeight);
bool IsFullScreen(SDL_Window* window);
// Whether the window shows touch controls of its own (touch_controls.h): on the desktop; in a
// browser the page has its own.
bool HasOwnTouchControls();

}  // namespace window_system
