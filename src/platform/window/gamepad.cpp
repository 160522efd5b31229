#include "platform/window/gamepad.h"

#include <SDL.h>

#include <array>

#include "platform/platform_state.h"
#include "platform/window/clock.h"

namespace platform_internal {

namespace {

// The four directions in the order of their virtual keys' pairs: left, up, right, down.
constexpr std::array<int, 4> kArrowKeys{VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    std::array<bool, 4> dpad{};   // held on the D-pad
    std::array<bool, 4> stick{};  // leaned on the left stick
    std::array<bool, 4> held{};   // either: the arrow key is down
    std::array<DWORD, 4> nextRepeat{};
};

// A fixed number of pads: plugging in more opens nothing more, and nothing is allocated.
std::array<Pad, 4> g_pads;
bool g_started = false;

Pad* PadOf(SDL_JoystickID id) {
    for (Pad& p : g_pads)
        if (p.controller != nullptr && p.id == id) return &p;
    return nullptr;
}

void Key(HWND window, UINT message, int key) {
    PostMessageInternal(window, message, static_cast<WPARAM>(key));
}

// Presses or lets go of the arrows whose D-pad or stick state changed.
void Update(Pad& p, HWND window) {
    for (std::size_t d = 0; d < 4; ++d) {
        const bool now = p.dpad[d] || p.stick[d];
        if (now == p.held[d]) continue;
        p.held[d] = now;
        Key(window, now ? WM_KEYDOWN : WM_KEYUP, kArrowKeys[d]);
        p.nextRepeat[d] = timeGetTime() + kRepeatDelayMs;
    }
}

int DirectionOfButton(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return 0;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return 1;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return 2;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return 3;
        default:
            return -1;
    }
}

int KeyOfButton(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return VK_GAMEPAD_A;  // the south button jumps
        case SDL_CONTROLLER_BUTTON_Y:
            return VK_SPACE;
        case SDL_CONTROLLER_BUTTON_START:
            return VK_RETURN;
        case SDL_CONTROLLER_BUTTON_BACK:
            return VK_ESCAPE;
        default:
            return 0;
    }
}

// One stick axis: the negative direction and the positive one, with a gap between pressing and
// letting go so that a stick resting near the edge does not chatter.
void Lean(Pad& p, std::size_t negative, std::size_t positive, int value) {
    auto lean = [](bool& held, int amount) {
        held = held ? amount > kStickRelease : amount > kStickPress;
    };
    lean(p.stick[negative], -value);
    lean(p.stick[positive], value);
}

void Open(int deviceIndex) {
    for (Pad& p : g_pads) {
        if (p.controller != nullptr) continue;
        p = Pad{};
        p.controller = SDL_GameControllerOpen(deviceIndex);
        if (p.controller != nullptr)
            p.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(p.controller));
        return;
    }
}

void Close(Pad& p, HWND window) {
    p.dpad = {};
    p.stick = {};
    Update(p, window);  // a pad pulled out lets go of its arrows
    SDL_GameControllerClose(p.controller);
    p.controller = nullptr;
}

}  // namespace

void StartGamepads() {
    g_started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void StopGamepads() {
    if (!g_started) return;
    for (Pad& p : g_pads)
        if (p.controller != nullptr) SDL_GameControllerClose(p.controller);
    g_pads = {};
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    g_started = false;
}

bool TranslateGamepadEvent(const SDL_Event& e, HWND window) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (PadOf(SDL_JoystickGetDeviceInstanceID(e.cdevice.which)) == nullptr)
                Open(e.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (Pad* p = PadOf(e.cdevice.which)) Close(*p, window);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            Pad* p = PadOf(e.cbutton.which);
            if (p == nullptr) return true;
            const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
            if (const int d = DirectionOfButton(e.cbutton.button); d >= 0) {
                p->dpad[static_cast<std::size_t>(d)] = down;
                Update(*p, window);
            } else if (const int key = KeyOfButton(e.cbutton.button); key != 0) {
                Key(window, down ? WM_KEYDOWN : WM_KEYUP, key);
            }
            return true;
        }
        case SDL_CONTROLLERAXISMOTION: {
            Pad* p = PadOf(e.caxis.which);
            if (p == nullptr) return true;
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) Lean(*p, 0, 2, e.caxis.value);
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) Lean(*p, 1, 3, e.caxis.value);
            Update(*p, window);
            return true;
        }
        default:
            return false;
    }
}

void RepeatHeldDirections(HWND window, DWORD now) {
    for (Pad& p : g_pads)
        for (std::size_t d = 0; d < 4; ++d)
            // Wrapping time: due when the deadline is not ahead of now. A late pump sends one
            // repeat, not the ones it missed, as a keyboard does.
            if (p.controller != nullptr && p.held[d] &&
                static_cast<std::int32_t>(now - p.nextRepeat[d]) >= 0) {
                Key(window, WM_KEYDOWN, kArrowKeys[d]);
                p.nextRepeat[d] = now + kRepeatIntervalMs;
            }
}

}  // namespace platform_internal
