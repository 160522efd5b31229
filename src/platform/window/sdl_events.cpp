#include "platform/window/sdl_events.h"

#include "platform/platform_state.h"
#include "platform/window/gamepad.h"
#include "platform/window/key_map.h"
#include "platform/window/message_queue.h"
#include "platform/window/touch_controls.h"
#include "platform/window/window_object.h"
#include "platform/window/window_system.h"

namespace platform_internal {
namespace {

// Keys pressed while Alt is held are system keys, as on Windows (Alt+Enter is one).
UINT KeyMessage(const SDL_KeyboardEvent& key) {
    const bool system = (key.keysym.mod & KMOD_ALT) != 0 && key.keysym.sym != SDLK_LALT &&
                        key.keysym.sym != SDLK_RALT;
    if (key.type == SDL_KEYDOWN) return system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    return system ? WM_SYSKEYUP : WM_KEYUP;
}

}  // namespace

void TranslateSdlEvent(const SDL_Event& e) {
    WindowObject* const window = TheWindow();
    if (window == nullptr) return;
    if (TranslateGamepadEvent(e, window)) return;
    int width = 0, height = 0;
    if (window->sdl != nullptr) SDL_GetWindowSizeInPixels(window->sdl, &width, &height);
    if (window_system::HasOwnTouchControls() &&
        touch_controls::TranslateTouchEvent(e, window, width, height)) {
        // The controls appear with the first touch and light up under the fingers.
        if (!window->headless) window->presenter.Redraw();
        return;
    }
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (e.type == SDL_KEYDOWN && touch_controls::HideForKeyboard(window) &&
                !window->headless)
                window->presenter.Redraw();
            const int vk = VirtualKeyFromSdl(e.key.keysym.sym);
            if (vk != 0)
                message_queue::Push({window,
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
                    message_queue::Push({window, WM_ACTIVATEAPP, 1, 0, 0, {0, 0}});
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                case SDL_WINDOWEVENT_MINIMIZED:
                    message_queue::Push({window, WM_ACTIVATEAPP, 0, 0, 0, {0, 0}});
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    message_queue::Push({window, WM_CLOSE, 0, 0, 0, {0, 0}});
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    // The window system lost the window's pixels: the last frame goes whole,
                    // also while the game is inactive and draws no frames.
                    if (!window->headless) window->presenter.Redraw();
                    break;
                default:
                    break;
            }
            break;
        case SDL_QUIT:
            message_queue::Push({window, WM_CLOSE, 0, 0, 0, {0, 0}});
            break;
        default:
            break;
    }
}

}  // namespace platform_internal
