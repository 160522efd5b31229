// The window, the message queue, the timer and the screen, over SDL2.
#include "platform/window.h"

#include <SDL.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/ddraw.h"
#include "platform/frame_scaler.h"
#include "platform/pixel_format.h"
#include "platform/platform_state.h"

struct WindowObject {
    WNDPROC proc = nullptr;
    SDL_Window* sdl = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int shownWidth = 0;  // the frame last shown
    int shownHeight = 0;
    int shownBits = 0;
    std::vector<std::uint8_t> shown;      // the frame last uploaded, to find what changed
    std::vector<std::uint32_t> expanded;  // 8-bit rows through the palette; sized per mode
    bool headless = false;
    bool vsync = false;
    // Without a GPU, frames go to the window's own framebuffer instead of the renderer.
    bool framebuffer = false;
    frame_scaler::FrameScaler scaler;
};

namespace {

struct RegisteredClass {
    std::string name;
    WNDPROC proc = nullptr;
};

RegisteredClass g_class;
WindowObject* g_window = nullptr;
bool g_sdlVideo = false;
int g_cursorCount = 0;
std::int64_t g_nextFrameNs = 0;

std::int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// One absolute sleep to the next 60 Hz deadline; a frame that ran late starts a new schedule.
void SleepToNextFrame() {
    constexpr std::int64_t kPeriod = 1000000000 / 60;
    const std::int64_t now = NowNs();
    if (g_nextFrameNs == 0 || now > g_nextFrameNs + kPeriod) g_nextFrameNs = now;
    g_nextFrameNs += kPeriod;
    const timespec deadline{static_cast<time_t>(g_nextFrameNs / 1000000000),
                            static_cast<long>(g_nextFrameNs % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

// The texture format that holds a surface's raw pixels as they are (8 bits go through the
// palette to XRGB).
Uint32 TextureFormatOf(int bits) {
    switch (bits) {
        case 16:
            return SDL_PIXELFORMAT_RGB565;
        case 24:
            return SDL_PIXELFORMAT_BGR24;  // bytes B, G, R
        default:
            return SDL_PIXELFORMAT_RGB888;
    }
}

// Whether the renderer draws with the CPU: SDL's software renderer, or OpenGL on a software
// rasterizer. Rasterizing the scaled frame that way cost about 29 % of a core at 60 Hz on an
// 800 x 600 frame (Xvfb, llvmpipe); scaling only the changed rows into the window's own
// framebuffer costs a few per cent.
bool DrawsInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return true;
    if (std::strcmp(info.name, "software") == 0) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0 || SDL_GL_GetCurrentContext() == nullptr)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const auto* name = getString ? reinterpret_cast<const char*>(getString(0x1F01)) : nullptr;
    if (name == nullptr) return false;  // GL_RENDERER unknown: trust the renderer
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SwiftShader"})
        if (std::strstr(name, software) != nullptr) return true;
    return false;
}

// VORN7_PRESENTER=renderer or framebuffer chooses; otherwise the framebuffer where the renderer
// draws in software.
bool UseFramebuffer(SDL_Renderer* renderer) {
    const char* chosen = std::getenv("VORN7_PRESENTER");
    if (chosen != nullptr && std::strcmp(chosen, "renderer") == 0) return false;
    if (chosen != nullptr && std::strcmp(chosen, "framebuffer") == 0) return true;
    return DrawsInSoftware(renderer);
}

// A mode switch: a texture in the surface's own format where SDL has one, so no frame is
// converted on the way; the renderer letterboxes it with the aspect kept.
void MakeTexture(WindowObject* w, int width, int height, int bits) {
    if (w->texture) SDL_DestroyTexture(w->texture);
    w->texture = SDL_CreateTexture(w->renderer, TextureFormatOf(bits), SDL_TEXTUREACCESS_STREAMING,
                                   width, height);
    w->expanded.assign(bits == 8 ? static_cast<std::size_t>(width) * height : 0, 0);
    SDL_RenderSetLogicalSize(w->renderer, width, height);
}

// Uploads frame rows [top, bottom) into the texture and shows it.
void PresentThroughRenderer(WindowObject* w, const IDirectDrawSurface& front, int top, int bottom) {
    if (w->texture == nullptr) return;
    const int width = front.width(), bits = front.bitsPerPixel(), pitch = front.pitch();
    const std::uint8_t* pixels = front.pixels();
    if (top < bottom) {
        const SDL_Rect rows{0, top, width, bottom - top};
        if (bits == 8) {
            std::uint32_t* out = w->expanded.data() + static_cast<std::ptrdiff_t>(top) * width;
            for (int y = top; y < bottom; ++y)
                pixel_format::DecodeRowToXrgb(8, pixels + y * pitch, width,
                                              out + static_cast<std::ptrdiff_t>(y - top) * width);
            SDL_UpdateTexture(w->texture, &rows, out, width * 4);
        } else {
            SDL_UpdateTexture(w->texture, &rows, pixels + top * pitch, pitch);
        }
    }
    SDL_SetRenderDrawColor(w->renderer, 0, 0, 0, 255);
    SDL_RenderClear(w->renderer);
    SDL_RenderCopy(w->renderer, w->texture, nullptr, nullptr);
    SDL_RenderPresent(w->renderer);
}

// Shows the rows of the frame that changed (all of them after a size change) through the
// window's framebuffer; false when the window has none.
bool PresentThroughFramebuffer(WindowObject* w, const IDirectDrawSurface& front, int top,
                               int bottom, bool all) {
    SDL_Surface* target = SDL_GetWindowSurface(w->sdl);  // made again after a resize
    if (target == nullptr || target->format->BytesPerPixel != 4) return false;
    const std::uint32_t alpha = target->format->Amask;
    if (w->scaler.Configure(front.width(), front.height(), target->w, target->h)) {
        all = true;
        SDL_FillRect(target, nullptr, alpha);  // the letterbox bars
    }
    if (all) {
        top = 0;
        bottom = front.height();
    }
    if (top >= bottom) return true;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return false;
    const frame_scaler::Box rows =
        w->scaler.ScaleRows(front.pixels(), front.pitch(), front.bitsPerPixel(), top, bottom,
                            static_cast<std::uint8_t*>(target->pixels), target->pitch, alpha);
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    const SDL_Rect changed = all ? SDL_Rect{0, 0, target->w, target->h}
                                 : SDL_Rect{rows.x, rows.y, rows.width, rows.height};
    return SDL_UpdateWindowSurfaceRects(w->sdl, &changed, 1) == 0;
}

// A fixed ring: posting a message allocates nothing.
constexpr std::size_t kQueueCapacity = 512;
// Input is taken from SDL (and from the test script) only while this many slots stay free: a
// burst waits in SDL's own, far larger queue, and the messages the system posts itself (the
// quit message above all) always find room.
constexpr std::size_t kReservedSlots = 16;
std::array<MSG, kQueueCapacity> g_queue{};
std::size_t g_head = 0;
std::size_t g_count = 0;

std::string g_windowError;
constexpr const char* kNoDisplay =
    "no display to show the game on (set DISPLAY or WAYLAND_DISPLAY)";

bool RoomForInput() {
    return g_count + kReservedSlots < kQueueCapacity;
}

// SDL's off-screen and dummy drivers show nothing; they serve only when asked for by name.
bool ShowsNothing(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool Set(const char* name) {
    const char* value = SDL_getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool EnsureVideo() {
    if (g_sdlVideo) return true;
    const bool chosenByUser = Set("SDL_VIDEODRIVER");
    // With no desktop to show on, only a console's display can serve; trying the desktop
    // drivers would only print their libraries' complaints before SDL fell back to off-screen.
    if (!chosenByUser && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "kmsdrm");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        g_windowError =
            chosenByUser ? std::string("the video driver could not start (") + SDL_GetError() + ")"
                         : kNoDisplay;
        return false;
    }
    if (!chosenByUser && ShowsNothing(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
        g_windowError = kNoDisplay;
        return false;
    }
    g_sdlVideo = true;
    return true;
}

void Push(const MSG& m) {
    if (g_count == kQueueCapacity) return;  // unreachable: input leaves kReservedSlots free
    g_queue[(g_head + g_count) % kQueueCapacity] = m;
    ++g_count;
}

MSG Pop() {
    MSG m = g_queue[g_head];
    g_head = (g_head + 1) % kQueueCapacity;
    --g_count;
    return m;
}

int VirtualKeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_KP_0:
            return VK_NUMPAD0;
        default:
            return 0;  // no virtual-key code: the key sends nothing
    }
}

void TranslateSdlEvent(const SDL_Event& e) {
    if (g_window == nullptr) return;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int vk = VirtualKeyFromSdl(e.key.keysym.sym);
            if (vk != 0)
                Push({g_window,
                      e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP,
                      static_cast<WPARAM>(vk),
                      0,
                      e.key.timestamp,
                      {0, 0}});
            break;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                Push({g_window, WM_ACTIVATEAPP, 1, 0, 0, {0, 0}});
            else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                     e.window.event == SDL_WINDOWEVENT_MINIMIZED)
                Push({g_window, WM_ACTIVATEAPP, 0, 0, 0, {0, 0}});
            else if (e.window.event == SDL_WINDOWEVENT_CLOSE)
                Push({g_window, WM_CLOSE, 0, 0, 0, {0, 0}});
            break;
        case SDL_QUIT:
            Push({g_window, WM_CLOSE, 0, 0, 0, {0, 0}});
            break;
        default:
            break;
    }
}

void PumpSdl() {
    platform_internal::DeliverDueScriptedInputs();
    if (RoomForInput()) platform_internal::PostFileChanges(g_window);
    if (!g_sdlVideo) return;
    SDL_Event e;
    while (RoomForInput() && SDL_PollEvent(&e)) TranslateSdlEvent(e);
}

void DestroySdlWindow(WindowObject* w) {
    if (w->texture) SDL_DestroyTexture(w->texture);
    if (w->renderer) SDL_DestroyRenderer(w->renderer);
    if (w->sdl) SDL_DestroyWindow(w->sdl);
    delete w;
}

}  // namespace

namespace platform_internal {

HWND TheWindow() {
    return g_window;
}

void PostMessageInternal(HWND window, UINT message, WPARAM wParam) {
    Push({window, message, wParam, 0, 0, {0, 0}});
}

void HideOrShowPointer(bool visible) {
    if (g_sdlVideo) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void DeliverDueScriptedInputs() {
    auto& s = Seams();
    while (RoomForInput() && !s.script.empty() && s.script.front().beforeFrame <= s.flips) {
        const test_seams::ScriptedInput in = s.script.front();
        s.script.pop_front();
        if (in.clockAdvanceMs) s.virtualNow += in.clockAdvanceMs;
        HWND w = g_window;
        switch (in.kind) {
            case test_seams::InputKind::KeyDown:
            case test_seams::InputKind::KeyRepeat:
                Push({w, WM_KEYDOWN, static_cast<WPARAM>(in.virtualKey), 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::KeyUp:
                Push({w, WM_KEYUP, static_cast<WPARAM>(in.virtualKey), 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::Activate:
                Push({w, WM_ACTIVATEAPP, 1, 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::Deactivate:
                Push({w, WM_ACTIVATEAPP, 0, 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::Close:
                Push({w, WM_CLOSE, 0, 0, 0, {0, 0}});
                break;
        }
    }
}

void PresentSurface(const IDirectDrawSurface& front) {
    auto& seams = Seams();
    ++seams.flips;
    if (seams.virtualClock) seams.virtualNow += seams.clockStepPerFlip;
    if (seams.observer)
        seams.observer({seams.flips, front.width(), front.height(), front.bitsPerPixel(),
                        front.pitch(), front.pixels()});

    WindowObject* w = g_window;
    if (w == nullptr || w->headless) return;
    const int width = front.width(), height = front.height(), bits = front.bitsPerPixel();
    const int pitch = front.pitch(), rowBytes = width * pixel_format::BytesPerPixel(bits);
    bool all = false;
    if (w->shownWidth != width || w->shownHeight != height || w->shownBits != bits) {
        w->shownWidth = width;
        w->shownHeight = height;
        w->shownBits = bits;
        w->shown.assign(static_cast<std::size_t>(pitch) * height, 0);
        if (!w->framebuffer) MakeTexture(w, width, height, bits);
        all = true;
    }
    // Only the rows that changed since the last frame are shown again.
    const std::uint8_t* pixels = front.pixels();
    std::uint8_t* shown = w->shown.data();
    auto same = [&](int y) {
        return std::memcmp(pixels + y * pitch, shown + y * pitch,
                           static_cast<std::size_t>(rowBytes)) == 0;
    };
    int top = 0, bottom = height;
    if (!all) {
        while (top < height && same(top)) ++top;
        while (bottom > top && same(bottom - 1)) --bottom;
    }
    if (top < bottom)
        std::memcpy(shown + top * pitch, pixels + top * pitch,
                    static_cast<std::size_t>(bottom - top) * pitch);
    if (w->framebuffer)
        PresentThroughFramebuffer(w, front, top, bottom, all);
    else
        PresentThroughRenderer(w, front, top, bottom);

    // Pace as a 60 Hz display unless the renderer already waits for a 60 Hz vsync: one sleep
    // to the next deadline.
    if (!seams.pacing || seams.virtualClock || w->vsync) return;
    SleepToNextFrame();
}

}  // namespace platform_internal

bool test_seams::ReadShownPixels(std::vector<std::uint32_t>& xrgb, int* width, int* height) {
    WindowObject* w = g_window;
    if (w != nullptr && w->framebuffer) {
        SDL_Surface* shown = SDL_GetWindowSurface(w->sdl);
        if (shown == nullptr) return false;
        *width = shown->w;
        *height = shown->h;
        xrgb.resize(static_cast<std::size_t>(shown->w) * static_cast<std::size_t>(shown->h));
        return SDL_ConvertPixels(shown->w, shown->h, shown->format->format, shown->pixels,
                                 shown->pitch, SDL_PIXELFORMAT_RGB888, xrgb.data(),
                                 shown->w * 4) == 0;
    }
    if (w == nullptr || w->renderer == nullptr) return false;
    if (SDL_GetRendererOutputSize(w->renderer, width, height) != 0) return false;
    xrgb.assign(static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height), 0);
    // Read the whole output, not the letterboxed viewport.
    SDL_Rect viewport;
    SDL_RenderGetViewport(w->renderer, &viewport);
    SDL_RenderSetLogicalSize(w->renderer, 0, 0);
    SDL_RenderSetViewport(w->renderer, nullptr);
    const bool ok = SDL_RenderReadPixels(w->renderer, nullptr, SDL_PIXELFORMAT_RGB888, xrgb.data(),
                                         *width * 4) == 0;
    SDL_RenderSetLogicalSize(w->renderer, w->shownWidth, w->shownHeight);
    return ok;
}

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr) return 0;
    g_class.name = windowClass->lpszClassName;
    g_class.proc = windowClass->lpfnWndProc;
    return 1;
}

int GetSystemMetrics(int index) {
    if (!EnsureVideo()) return 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
    if (index == SM_CXSCREEN) return mode.w;
    if (index == SM_CYSCREEN) return mode.h;
    return 0;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, void*) {
    if (className == nullptr || g_class.proc == nullptr || g_class.name != className)
        return nullptr;
    if (g_window != nullptr || !EnsureVideo()) return nullptr;
    g_windowError.clear();
    auto* w = new WindowObject;
    w->proc = g_class.proc;
    const char* driver = SDL_GetCurrentVideoDriver();
    w->headless = driver != nullptr && std::strcmp(driver, "dummy") == 0 &&
                  !platform_internal::Seams().presentHeadless;
    // Full screen as the desktop knows it: window managers mark the window full-screen and put
    // it above panels; the emulated display mode is letterboxed inside it.
    const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN |
                         (w->headless ? 0u : static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));
    w->sdl = SDL_CreateWindow(windowName ? windowName : "", x, y, width > 0 ? width : 1,
                              height > 0 ? height : 1, flags);
    if (w->sdl == nullptr) {
        g_windowError = std::string("the window could not be created (") + SDL_GetError() + ")";
        delete w;
        return nullptr;
    }
    if (!w->headless) {
        SDL_DisplayMode mode;
        const bool at60 = SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.refresh_rate >= 59 &&
                          mode.refresh_rate <= 61;
        Uint32 rendererFlags = SDL_RENDERER_ACCELERATED | (at60 ? SDL_RENDERER_PRESENTVSYNC : 0);
        w->renderer = SDL_CreateRenderer(w->sdl, -1, rendererFlags);
        if (w->renderer == nullptr)
            w->renderer = SDL_CreateRenderer(w->sdl, -1, SDL_RENDERER_SOFTWARE);
        if (w->renderer == nullptr) {
            g_windowError =
                std::string("the window could not be drawn into (") + SDL_GetError() + ")";
            DestroySdlWindow(w);
            return nullptr;
        }
        SDL_RendererInfo info;
        w->vsync = at60 && SDL_GetRendererInfo(w->renderer, &info) == 0 &&
                   (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
        if (UseFramebuffer(w->renderer)) {
            // The window's own framebuffer (X shared memory), not one the renderer emulates.
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
            SDL_DestroyRenderer(w->renderer);
            w->renderer = nullptr;
            w->vsync = false;
            w->framebuffer = SDL_GetWindowSurface(w->sdl) != nullptr;
            if (!w->framebuffer) {
                g_windowError =
                    std::string("the window could not be drawn into (") + SDL_GetError() + ")";
                DestroySdlWindow(w);
                return nullptr;
            }
        }
    }
    g_window = w;
    w->proc(w, WM_CREATE, 0, 0);
    return w;
}

const char* GetLastWindowErrorText() {
    return g_windowError.empty() ? "the window could not be created" : g_windowError.c_str();
}

HICON LoadIconA(HINSTANCE, LPCSTR) {
    return nullptr;
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
    if (g_count == 0) PumpSdl();
    if (g_count == 0) return FALSE;
    if (message != nullptr) *message = g_queue[g_head];
    if (removeFlag & PM_REMOVE) Pop();
    return TRUE;
}

BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax) {
    while (g_count == 0) WaitMessage();
    MSG m = Pop();
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
    auto& seams = platform_internal::Seams();
    while (g_count == 0) {
        PumpSdl();
        if (g_count != 0) break;
        if (!seams.script.empty()) {
            // No frames run while waiting, so the next scripted entry is due now.
            seams.script.front().beforeFrame = seams.flips;
            continue;
        }
        if (seams.closeWhenScriptEnds) {
            Push({g_window, WM_CLOSE, 0, 0, 0, {0, 0}});
            break;
        }
        if (!g_sdlVideo) return FALSE;  // nothing could ever arrive
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
    std::size_t kept = 0;
    for (std::size_t i = 0; i < g_count; ++i) {
        MSG m = g_queue[(g_head + i) % kQueueCapacity];
        if (m.message == WM_QUIT || m.hwnd != window) {
            m.hwnd = m.message == WM_QUIT ? nullptr : m.hwnd;
            g_queue[(g_head + kept) % kQueueCapacity] = m;
            ++kept;
        }
    }
    g_count = kept;
    DestroySdlWindow(window);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Push({nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, 0, {0, 0}});
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

DWORD timeGetTime() {
    auto& seams = platform_internal::Seams();
    if (seams.virtualClock) return seams.virtualNow;
    return static_cast<DWORD>(SDL_GetTicks64());
}
