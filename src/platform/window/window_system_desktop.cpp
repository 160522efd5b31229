// The desktop's window system: X11 or Wayland as the environment names them, full screen as the
// window manager knows it.
#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/window/window_system.h"
#include "platform/window/x11_windows.h"

namespace window_system {

namespace {

bool g_started = false;

constexpr const char* kNoDisplay =
    "no display to show the game on (set DISPLAY or WAYLAND_DISPLAY)";

// SDL's off-screen and dummy drivers show nothing; they serve only when asked for by name.
bool ShowsNothing(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool Set(const char* name) {
    const char* value = SDL_getenv(name);
    return value != nullptr && value[0] != '\0';
}

// The desktop displays named in the environment, each with the SDL driver that opens it.
struct NamedDisplay {
    const char* variable;
    const char* driver;
};
constexpr NamedDisplay kNamedDisplays[] = {{"DISPLAY", "x11"}, {"WAYLAND_DISPLAY", "wayland"}};

bool StartShowingDriver() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
    if (!ShowsNothing(SDL_GetCurrentVideoDriver())) return true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    return false;
}

// Each display the environment names, through its own driver (X first, as SDL prefers it): the
// first that opens serves; when none does, SDL's reason for each. Drivers for displays not named
// are not tried, so their libraries print no complaints.
bool StartNamedDisplay(std::string& reason) {
    std::string failures;
    for (const NamedDisplay& named : kNamedDisplays) {
        if (!Set(named.variable)) continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, named.driver);
        const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0;
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (started) return true;
        if (!failures.empty()) failures += "; ";
        failures += std::string("the display ") + SDL_getenv(named.variable) + " (" +
                    named.variable + ") could not be opened: " + SDL_GetError();
    }
    reason = failures;
    return false;
}

// The displays' whole bounds, or the part of each that panels leave free.
std::vector<window_place::Box> Displays(bool usable) {
    std::vector<window_place::Box> boxes;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect r{};
        if ((usable ? SDL_GetDisplayUsableBounds(i, &r) : SDL_GetDisplayBounds(i, &r)) == 0 &&
            r.w > 0 && r.h > 0)
            boxes.push_back({r.x, r.y, r.w, r.h});
    }
    return boxes;
}

// The frame's size at the window's top and left, as SDL knows it (none before the window first
// shows, or without a window manager).
void Borders(SDL_Window* window, int& top, int& left) {
    int bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) top = left = 0;
}

}  // namespace

bool StartVideo(std::string& reason) {
    if (g_started) return true;
    const bool chosenByUser = Set("SDL_VIDEODRIVER");
    const bool named = Set("DISPLAY") || Set("WAYLAND_DISPLAY");
    if (chosenByUser) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
            reason = std::string("the video driver could not start (") + SDL_GetError() + ")";
            return false;
        }
    } else if (!named) {
        // With no desktop to show on, only a console's display can serve; trying the desktop
        // drivers would only print their libraries' complaints before SDL fell back to
        // off-screen.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "kmsdrm");
        if (!StartShowingDriver()) {
            reason = kNoDisplay;
            return false;
        }
    } else if (!StartNamedDisplay(reason)) {
        return false;
    }
    g_started = true;
    return true;
}

bool VideoStarted() {
    return g_started;
}

// A pop-up is full screen as the desktop knows it: window managers mark it full-screen and put it
// above panels; the emulated display mode is letterboxed inside it.
std::uint32_t CreationFlags(bool windowed, bool headless) {
    if (windowed) return SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    return SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS |
           (headless ? 0u : +SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void FollowFrame(SDL_Window*, int, int) {}

void PlaceWindow(SDL_Window* window, const window_place::Box* wanted, int width, int height) {
    window_place::Spot spot{};
    if (wanted != nullptr && window_place::IsOnADisplay(*wanted, Displays(false))) {
        spot = {wanted->x, wanted->y};
    } else {
        // Chosen for the window with its frame, which it has only once it shows.
        const x11_windows::OtherWindows others = x11_windows::Find(window);
        spot = window_place::ChooseFreePlace(Displays(true), others.boxes,
                                             width + others.frameLeft + others.frameRight,
                                             height + others.frameTop + others.frameBottom);
    }
    // SDL places the inside, so the frame lands at the spot when SDL is told the inside's place
    // by the frame it knows; before the window first shows it knows none, and X puts the frame
    // at the place asked.
    int top = 0, left = 0;
    Borders(window, top, left);
    SDL_SetWindowPosition(window, spot.x + left, spot.y + top);
}

window_place::Box OuterPlace(SDL_Window* window) {
    window_place::Box box{};
    SDL_GetWindowPosition(window, &box.x, &box.y);
    SDL_GetWindowSize(window, &box.width, &box.height);
    int top = 0, left = 0;
    Borders(window, top, left);
    box.x -= left;
    box.y -= top;
    return box;
}

bool SetFullScreen(SDL_Window* window, bool on, const window_place::Box* normal, int frameWidth,
                   int frameHeight) {
    if (on) {
        SDL_SetWindowBordered(window, SDL_FALSE);
        return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    }
    if (SDL_SetWindowFullscreen(window, 0) != 0) return false;
    SDL_SetWindowResizable(window, SDL_TRUE);
    SDL_SetWindowBordered(window, SDL_TRUE);
    const int width = normal != nullptr ? normal->width : frameWidth;
    const int height = normal != nullptr ? normal->height : frameHeight;
    if (width <= 0 || height <= 0) return true;
    SDL_SetWindowSize(window, width, height);
    PlaceWindow(window, normal, width, height);
    return true;
}

bool IsFullScreen(SDL_Window* window) {
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
}

// A touch screen plays through the controls the window draws.
bool HasOwnTouchControls() {
    return true;
}

}  // namespace window_system
