// The one window over SDL2: its class, creation, showing, focus, pointer, full screen and
// destruction. Its messages are messages.cpp, its frames presenting/present_surface.cpp.
#include "platform/window/window.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"
#include "platform/window/gamepad.h"
#include "platform/window/icon.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_object.h"
#include "platform/window/window_system.h"

namespace {

struct RegisteredClass {
    std::string name;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
};

RegisteredClass g_class;
WindowObject* g_window = nullptr;
int g_cursorCount = 0;
std::string g_windowError;

void DestroySdlWindow(WindowObject* w) {
    w->presenter.Close();
    if (w->sdl) SDL_DestroyWindow(w->sdl);
    delete w;
}

bool g_wholeFactors = false;

}  // namespace

namespace platform_internal {

HWND TheWindow() {
    return g_window;
}

void HideOrShowPointer(bool visible) {
    if (window_system::VideoStarted()) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace platform_internal

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr) return 0;
    g_class.name = windowClass->lpszClassName;
    g_class.proc = windowClass->lpfnWndProc;
    g_class.icon = windowClass->hIcon;
    return 1;
}

int GetSystemMetrics(int index) {
    if (!window_system::StartVideo(g_windowError)) return 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
    if (index == SM_CXSCREEN) return mode.w;
    if (index == SM_CYSCREEN) return mode.h;
    return 0;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, void*) {
    if (className == nullptr || g_class.proc == nullptr || g_class.name != className)
        return nullptr;
    if (g_window != nullptr || !window_system::StartVideo(g_windowError)) return nullptr;
    g_windowError.clear();
    auto* w = new WindowObject;
    w->proc = g_class.proc;
    const char* driver = SDL_GetCurrentVideoDriver();
    w->headless = driver != nullptr && std::strcmp(driver, "dummy") == 0;
    w->seen = !w->headless;
    if constexpr (platform_internal::kTestSeams)
        if (platform_internal::Seams().presentHeadless) w->headless = false;
    // An overlapped window is an ordinary resizable one; a pop-up is full screen.
    const bool windowed = (style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW;
    const Uint32 flags = window_system::CreationFlags(windowed, w->headless);
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    const window_place::Box wanted{x, y, width, height};
    const bool placeGiven = x != CW_USEDEFAULT && y != CW_USEDEFAULT;
    if (windowed) x = y = static_cast<int>(SDL_WINDOWPOS_CENTERED);  // placed before it shows
    w->sdl = SDL_CreateWindow(windowName ? windowName : "", x, y, width, height, flags);
    if (w->sdl == nullptr) {
        g_windowError = std::string("the window could not be created (") + SDL_GetError() + ")";
        delete w;
        return nullptr;
    }
    if (windowed && w->seen)
        window_system::PlaceWindow(w->sdl, placeGiven ? &wanted : nullptr, width, height);
    SetWindowIcon(w->sdl, g_class.icon);
    w->presenter.ScaleByWholeFactors(g_wholeFactors);
    if (!w->headless && !w->presenter.Open(w->sdl, g_windowError)) {
        DestroySdlWindow(w);
        return nullptr;
    }
    platform_internal::StartGamepads();
    g_window = w;
    w->proc(w, WM_CREATE, 0, 0);
    return w;
}

BOOL SetFullScreen(HWND window, BOOL fullScreen) {
    if (window == nullptr || window != g_window || window->headless) return FALSE;
    int width = 0, height = 0;
    window->presenter.FrameSize(&width, &height);
    // A window's place is kept as it goes full screen, to come back to.
    if (fullScreen && !window_system::IsFullScreen(window->sdl)) {
        window->normal = window_system::OuterPlace(window->sdl);
        window->hasNormal = true;
    }
    return window_system::SetFullScreen(window->sdl, fullScreen != FALSE,
                                        window->hasNormal ? &window->normal : nullptr, width,
                                        height)
               ? TRUE
               : FALSE;
}

BOOL GetWindowPlacement(HWND window, WindowPlacement* placement) {
    if (window == nullptr || window != g_window || !window->seen || placement == nullptr)
        return FALSE;
    placement->fullScreen = window_system::IsFullScreen(window->sdl);
    const bool live = !placement->fullScreen;
    placement->placed = live || window->hasNormal;
    const window_place::Box box = live                ? window_system::OuterPlace(window->sdl)
                                  : window->hasNormal ? window->normal
                                                      : window_place::Box{};
    placement->x = box.x;
    placement->y = box.y;
    placement->width = box.width;
    placement->height = box.height;
    return TRUE;
}

BOOL SetWindowPlacement(HWND window, const WindowPlacement* placement) {
    if (window == nullptr || window != g_window || placement == nullptr || !placement->placed ||
        placement->width <= 0 || placement->height <= 0)
        return FALSE;
    window->normal = {placement->x, placement->y, placement->width, placement->height};
    window->hasNormal = true;
    return TRUE;
}

BOOL IsFullScreen(HWND window) {
    return window != nullptr && window == g_window && window_system::IsFullScreen(window->sdl);
}

void ScaleFrameByWholeFactors(BOOL on) {
    g_wholeFactors = on != FALSE;
    if (g_window != nullptr) g_window->presenter.ScaleByWholeFactors(g_wholeFactors);
}

const char* GetLastWindowErrorText() {
    return g_windowError.empty() ? "the window could not be created" : g_windowError.c_str();
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) {
    return nullptr;
}

BOOL ShowWindow(HWND window, int showCommand) {
    if (window == nullptr || window != g_window) return FALSE;
    if (showCommand == SW_HIDE) {
        SDL_HideWindow(window->sdl);
        return TRUE;
    }
    SDL_ShowWindow(window->sdl);
    // Showing activates the application. SDL's dummy driver never reports focus, so this is
    // where activation comes from there.
    window->proc(window, WM_ACTIVATEAPP, 1, 0);
    return FALSE;
}

BOOL UpdateWindow(HWND window) {
    return window != nullptr && window == g_window;
}

HWND SetFocus(HWND window) {
    if (window == nullptr || window != g_window) return nullptr;
    if (!window->headless) {
        SDL_RaiseWindow(window->sdl);
        SDL_SetWindowInputFocus(window->sdl);
    }
    return window;
}

int ShowCursor(BOOL show) {
    g_cursorCount += show ? 1 : -1;
    platform_internal::HideOrShowPointer(g_cursorCount >= 0);
    return g_cursorCount;
}

BOOL DestroyWindow(HWND window) {
    if (window == nullptr || window != g_window) return FALSE;
    window->proc(window, WM_DESTROY, 0, 0);
    g_window = nullptr;
    // Messages still queued for the window go with it; the quit message stays.
    message_queue::DropMessagesFor(window);
    platform_internal::StopGamepads();
    DestroySdlWindow(window);
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}
