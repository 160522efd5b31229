#include "shell/player_input.h"

#include "actors/actor_manager.h"
#include "platform/win_types.h"
#include "world/world.h"

namespace {

enum Control : std::uint8_t { kLeft = 1, kRight = 2, kJump = 4 };

// The keys of each control: a key is held until its own key-up, so two keys of one control
// (Up and Z, the keyboard and the pad) do not let go of each other.
struct Binding {
    std::uintptr_t key;
    Control control;
};
constexpr Binding kBindings[] = {{VK_LEFT, kLeft}, {VK_RIGHT, kRight}, {VK_UP, kJump},
                                 {'Z', kJump},     {'X', kJump},       {VK_GAMEPAD_A, kJump}};
constexpr std::size_t kBindingCount = sizeof kBindings / sizeof kBindings[0];

bool g_held[kBindingCount] = {};
bool g_jumpPressed = false;

bool Held(Control control) {
    for (std::size_t i = 0; i < kBindingCount; ++i)
        if (g_held[i] && kBindings[i].control == control) return true;
    return false;
}

}  // namespace

bool OnPlayerKey(std::uintptr_t virtualKey, bool down) {
    bool bound = false;
    for (std::size_t i = 0; i < kBindingCount; ++i) {
        if (kBindings[i].key != virtualKey) continue;
        bound = true;
        // A repeat is not a new press: a held jump key does not jump again on landing.
        if (down && !g_held[i] && kBindings[i].control == kJump && !Held(kJump))
            g_jumpPressed = true;
        g_held[i] = down;
    }
    const ActorManager* actors = TheWorld.Actors();
    return bound && actors != nullptr && actors->ThePlayer() != nullptr;
}

void ReleasePlayerKeys() {
    for (bool& held : g_held) held = false;
}

PlayerControls TakePlayerControls() {
    PlayerControls controls{Held(kLeft), Held(kRight), Held(kJump), g_jumpPressed};
    g_jumpPressed = false;
    return controls;
}
