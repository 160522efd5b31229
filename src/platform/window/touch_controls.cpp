#include "platform/window/touch_controls.h"

#include <algorithm>

#include "platform/platform_state.h"

namespace platform_internal::touch_controls {

namespace {

constexpr std::size_t kFingers = 10;  // a fixed table: more fingers press nothing more

struct Finger {
    SDL_FingerID id = 0;
    bool down = false;
    int control = -1;  // the control it holds, or -1
};

std::array<Finger, kFingers> g_fingers;
std::array<int, kControlCount> g_holders{};  // fingers on each control
bool g_shown = false;

void Press(HWND window, int control, bool down) {
    if (control < 0) return;
    int& holders = g_holders[static_cast<std::size_t>(control)];
    holders += down ? 1 : -1;
    // The key goes down with the first finger on the control and up with the last.
    if ((down && holders == 1) || (!down && holders == 0))
        PostMessageInternal(
            window, down ? WM_KEYDOWN : WM_KEYUP,
            static_cast<WPARAM>(LayOut(1, 1)[static_cast<std::size_t>(control)].key));
}

int ControlAt(float x, float y, int width, int height) {
    const SDL_Point at{static_cast<int>(x * static_cast<float>(width)),
                       static_cast<int>(y * static_cast<float>(height))};
    const Layout layout = LayOut(width, height);
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (SDL_PointInRect(&at, &layout[i].rect)) return static_cast<int>(i);
    return -1;
}

Finger* FingerOf(SDL_FingerID id, bool make) {
    for (Finger& f : g_fingers)
        if (f.down && f.id == id) return &f;
    if (!make) return nullptr;
    for (Finger& f : g_fingers)
        if (!f.down) {
            f = Finger{id, true, -1};
            return &f;
        }
    return nullptr;
}

}  // namespace

Layout LayOut(int width, int height) {
    // Thumb-sized: a seventh of the shorter side, never under 48 pixels.
    const int size = std::max(48, std::min(width, height) / 7);
    const int gap = size / 6;
    const int bottom = height - gap - size;
    const int left = gap;
    const SDL_Rect up{left + size, bottom - 2 * size, size, size};
    const SDL_Rect leftKey{left, bottom - size, size, size};
    const SDL_Rect rightKey{left + 2 * size, bottom - size, size, size};
    const SDL_Rect down{left + size, bottom, size, size};
    const int jumpSize = size * 3 / 2;
    const SDL_Rect jump{width - gap - jumpSize, height - gap - jumpSize, jumpSize, jumpSize};
    return {{{VK_UP, up}, {VK_LEFT, leftKey}, {VK_RIGHT, rightKey}, {VK_DOWN, down}, {'Z', jump}}};
}

bool TranslateTouchEvent(const SDL_Event& e, HWND window, int width, int height) {
    if (e.type != SDL_FINGERDOWN && e.type != SDL_FINGERUP && e.type != SDL_FINGERMOTION)
        return false;
    g_shown = true;
    Finger* finger = FingerOf(e.tfinger.fingerId, e.type == SDL_FINGERDOWN);
    if (finger == nullptr) return true;
    const int now =
        e.type == SDL_FINGERUP ? -1 : ControlAt(e.tfinger.x, e.tfinger.y, width, height);
    if (now != finger->control) {
        Press(window, finger->control, false);
        Press(window, now, true);
        finger->control = now;
    }
    if (e.type == SDL_FINGERUP) finger->down = false;
    return true;
}

bool HideForKeyboard(HWND window) {
    if (!g_shown) return false;
    for (Finger& f : g_fingers) {
        if (f.down) Press(window, f.control, false);
        f = Finger{};
    }
    g_shown = false;
    return true;
}

bool Shown() {
    return g_shown;
}

bool Held(std::size_t i) {
    return i < kControlCount && g_holders[i] > 0;
}

}  // namespace platform_internal::touch_controls
