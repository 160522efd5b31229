// The window and its message calls (the queue itself is message_queue.*), and the timer, over
// SDL2.
#include "platform/window/window.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/platform_state.h"
#include "platform/presenting/presenter.h"
#include "platform/seams/seam_state.h"
#include "platform/window/gamepad.h"
#include "platform/window/icon.h"
#include "platform/window/key_map.h"
#include "platform/window/message_queue.h"
#include "platform/window/pacing.h"
#include "platform/window/window_system.h"

struct WindowObject {
    WNDPROC proc = nullptr;
    SDL_Window* sdl = nullptr;
    bool headless = false;  // SDL's dummy driver: nothing to show frames on
    platform_internal::Presenter presenter;
};

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

// Keys pressed while Alt is held are system keys, as on Windows (Alt+Enter is one).
UINT KeyMessage(const SDL_KeyboardEvent& key) {
    const bool system = (key.keysym.mod & KMOD_ALT) != 0 && key.keysym.sym != SDLK_LALT &&
                        key.keysym.sym != SDLK_RALT;
    if (key.type == SDL_KEYDOWN) return system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    return system ? WM_SYSKEYUP : WM_KEYUP;
}

void TranslateSdlEvent(const SDL_Event& e) {
    if (g_window == nullptr) return;
    if (platform_internal::TranslateGamepadEvent(e, g_window)) return;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int vk = platform_internal::VirtualKeyFromSdl(e.key.keysym.sym);
            if (vk != 0)
                message_queue::Push({g_window,
                                     KeyMessage(e.key),
                                     static_cast<WPARAM>(vk),
                                     0,
                                     e.key.timestamp,
                                     {0, 0}});
            break;
        }
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    message_queue::Push({g_window, WM_ACTIVATEAPP, 1, 0, 0, {0, 0}});
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                case SDL_WINDOWEVENT_MINIMIZED:
                    message_queue::Push({g_window, WM_ACTIVATEAPP, 0, 0, 0, {0, 0}});
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    message_queue::Push({g_window, WM_CLOSE, 0, 0, 0, {0, 0}});
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    // The window system lost the window's pixels: the last frame goes whole,
                    // also while the game is inactive and draws no frames.
                    if (!g_window->headless) g_window->presenter.Redraw();
                    break;
                default:
                    break;
            }
            break;
        case SDL_QUIT:
            message_queue::Push({g_window, WM_CLOSE, 0, 0, 0, {0, 0}});
            break;
        default:
            break;
    }
}

void PumpSdl() {
    if constexpr (platform_internal::kTestSeams) platform_internal::DeliverDueScriptedInputs();
    if (message_queue::RoomForInput()) platform_internal::PostFileChanges(g_window);
    if (!window_system::VideoStarted()) return;
    SDL_Event e;
    while (message_queue::RoomForInput() && SDL_PollEvent(&e)) TranslateSdlEvent(e);
    if (g_window != nullptr && message_queue::RoomForInput())
        platform_internal::RepeatHeldDirections(g_window, timeGetTime());
}

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

void PostMessageInternal(HWND window, UINT message, WPARAM wParam) {
    message_queue::Push({window, message, wParam, 0, 0, {0, 0}});
}

void HideOrShowPointer(bool visible) {
    if (window_system::VideoStarted()) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void PresentSurface(const IDirectDrawSurface& front) {
    bool paced = true;
    if constexpr (kTestSeams) {
        auto& seams = Seams();
        ++seams.flips;
        if (seams.virtualClock) seams.virtualNow += seams.clockStepPerFlip;
        if (seams.observer)
            seams.observer({seams.flips, front.width(), front.height(), front.bitsPerPixel(),
                            front.pitch(), front.pixels()});
        paced = seams.pacing && !seams.virtualClock;
    }

    WindowObject* w = g_window;
    if (w == nullptr || w->headless) return;
    window_system::FollowFrame(w->sdl, front.width(), front.height());
    w->presenter.Show(front);

    // Pace as a 60 Hz display unless the renderer already waits for a 60 Hz vsync: one sleep
    // to the next deadline.
    if (!paced || w->presenter.WaitsForVsync()) return;
    pacing::SleepToNextFrame();
}

}  // namespace platform_internal

bool platform_internal::ReadWindowPixels(std::vector<std::uint32_t>& xrgb, int* width,
                                         int* height) {
    return g_window != nullptr && !g_window->headless &&
           g_window->presenter.ReadShown(xrgb, width, height);
}

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
    if constexpr (platform_internal::kTestSeams)
        if (platform_internal::Seams().presentHeadless) w->headless = false;
    // An overlapped window is an ordinary resizable one; a pop-up is full screen.
    const bool windowed = (style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW;
    const Uint32 flags = window_system::CreationFlags(windowed, w->headless);
    if (windowed) x = y = static_cast<int>(SDL_WINDOWPOS_CENTERED);
    w->sdl = SDL_CreateWindow(windowName ? windowName : "", x, y, width > 0 ? width : 1,
                              height > 0 ? height : 1, flags);
    if (w->sdl == nullptr) {
        g_windowError = std::string("the window could not be created (") + SDL_GetError() + ")";
        delete w;
        return nullptr;
    }
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
    return window_system::SetFullScreen(window->sdl, fullScreen != FALSE, width, height) ? TRUE
                                                                                         : FALSE;
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

BOOL PeekMessageA(MSG* message, HWND, UINT, UINT, UINT removeFlag) {
    if (message_queue::Count() == 0) PumpSdl();
    if (message_queue::Count() == 0) return FALSE;
    if (message != nullptr) *message = message_queue::Front();
    if (removeFlag & PM_REMOVE) message_queue::Pop();
    return TRUE;
}

BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax) {
    while (message_queue::Count() == 0) WaitMessage();
    MSG m = message_queue::Pop();
    if (message != nullptr) *message = m;
    (void)window;
    (void)filterMin;
    (void)filterMax;
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
    if (message == nullptr || message->hwnd == nullptr || message->hwnd != g_window) return 0;
    return g_window->proc(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL WaitMessage() {
    while (message_queue::Count() == 0) {
        PumpSdl();
        if (message_queue::Count() != 0) break;
        if constexpr (platform_internal::kTestSeams) {
            auto& seams = platform_internal::Seams();
            if (!seams.script.empty()) {
                // No frames run while waiting, so the next scripted entry is due now.
                seams.script.front().beforeFrame = seams.flips;
                continue;
            }
            if (seams.closeWhenScriptEnds) {
                message_queue::Push({g_window, WM_CLOSE, 0, 0, 0, {0, 0}});
                break;
            }
        }
        if (!window_system::VideoStarted()) return FALSE;  // nothing could ever arrive
        // A watched file's change has no SDL event: with a watch on, the wait looks at the
        // files every 20 ms, well inside the 100 ms a save may take to show.
        SDL_Event e;
        if (platform_internal::WatchingFiles() ? SDL_WaitEventTimeout(&e, 20) != 0
                                               : SDL_WaitEvent(&e) != 0)
            TranslateSdlEvent(e);
    }
    return TRUE;
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

void PostQuitMessage(int exitCode) {
    message_queue::Push({nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, 0, {0, 0}});
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

DWORD timeGetTime() {
    if constexpr (platform_internal::kTestSeams)
        if (platform_internal::Seams().virtualClock) return platform_internal::Seams().virtualNow;
    return static_cast<DWORD>(SDL_GetTicks64());
}
