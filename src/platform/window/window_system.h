// Internal to src/platform/: what differs between the platforms under the one window: starting
// SDL's video for the display there is, how the window is made and sized, and full screen. One
// file per platform (window_system_desktop.cpp, window_system_web.cpp); CMake picks one. Called by
// the window (window.cpp), the message pump and the presenting of frames.
#pragma once

#include <cstdint>
#include <string>

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
// Full screen as this platform knows it, or back to a window of the frame's size.
bool SetFullScreen(SDL_Window* window, bool on, int frameWidth, int frameHeight);
bool IsFullScreen(SDL_Window* window);
// Whether the window shows touch controls of its own (touch_controls.h): on the desktop; in a
// browser the page has its own.
bool HasOwnTouchControls();

}  // namespace window_system
