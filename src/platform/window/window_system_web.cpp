// The browser's window system: the page's canvas is the window, sized by the frame (the page
// scales it to the browser's window); full screen is the page's, asked of the browser; the page's
// own controls (its buttons for touch) press the window's keys.
#include <SDL.h>
#include <emscripten.h>

#include "platform/platform_state.h"
#include "platform/win_types.h"
#include "platform/window/window_system.h"

// A control of the page's (a touch button) went down or up: the key it stands for reaches the
// game as a keyboard's would, so the keys, the pad and touch are one set of controls.
extern "C" EMSCRIPTEN_KEEPALIVE void vorn7_key(int virtualKey, int down) {
    if (HWND window = platform_internal::TheWindow())
        platform_internal::PostMessageInternal(window, down != 0 ? WM_KEYDOWN : WM_KEYUP,
                                               static_cast<WPARAM>(virtualKey));
}

namespace window_system {

namespace {
bool g_started = false;
EM_JS(int, AskFullScreen, (int on),
      { return Module.vorn7FullScreen ? Module.vorn7FullScreen(on) : 0; });
EM_JS(int, PageIsFullScreen, (), { return document.fullscreenElement ? 1 : 0; });
}  // namespace

bool StartVideo(std::string& reason) {
    if (g_started) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        reason = std::string("the page's canvas could not be drawn into (") + SDL_GetError() + ")";
        return false;
    }
    g_started = true;
    return true;
}

bool VideoStarted() {
    return g_started;
}

// Never SDL's full screen at creation: a browser grants it only inside a user's gesture.
std::uint32_t CreationFlags(bool, bool) {
    return SDL_WINDOW_HIDDEN;
}

void FollowFrame(SDL_Window* window, int frameWidth, int frameHeight) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (width != frameWidth || height != frameHeight)
        SDL_SetWindowSize(window, frameWidth, frameHeight);
}

// The page places the canvas.
void PlaceWindow(SDL_Window*, const window_place::Box*, int, int) {}

window_place::Box OuterPlace(SDL_Window* window) {
    window_place::Box box{};
    SDL_GetWindowSize(window, &box.width, &box.height);
    return box;
}

// The page's own full screen (its stage, so its scaling and messages stay). A browser grants it
// within a short time of a key or click; the page asks inside F11's and Alt+Enter's own events.
bool SetFullScreen(SDL_Window*, bool on, const window_place::Box*, int, int) {
    return AskFullScreen(on ? 1 : 0) != 0;
}

bool IsFullScreen(SDL_Window*) {
    return PageIsFullScreen() != 0;
}

// The page's own buttons are the touch controls.
bool HasOwnTouchControls() {
    return false;
}

}  // namespace window_system
