// The keys and the pad as the player's controls: held until their own key-up, a press counted
// once (never by an auto-repeat), all let go when the window loses the keyboard, and the keys
// left to the free camera when the level has no player.
#include "shell/player_input.h"

#include <gtest/gtest.h>

#include "actors/actor_manager.h"
#include "display_fixture.h"
#include "platform/win_types.h"
#include "world/world.h"

namespace {

TEST(PlayerInput, KeysBecomeControlsAndAreThePlayersOnlyWithAPlayer) {
    ASSERT_TRUE(display_fixture::Open(800, 600, 32));
    TheWorld.CreateResources();
    ASSERT_TRUE(TheWorld.Actors()->Restart());  // the one walker, no player
    EXPECT_FALSE(OnPlayerKey(VK_RIGHT, true)) << "without a player the arrows fly the camera";
    OnPlayerKey(VK_RIGHT, false);
    (void)TakePlayerControls();
    TheWorld.Actors()->SetPlacements({{kPlayerKind, 100, 100}});
    ASSERT_TRUE(TheWorld.Actors()->Restart());

    struct Step {
        const char* what;
        std::uintptr_t key;
        bool down;
        bool taken;  // the key is the player's
        PlayerControls expected;
    };
    const Step steps[] = {
        {"Right runs", VK_RIGHT, true, true, {false, true, false, false}},
        {"a repeat changes nothing", VK_RIGHT, true, true, {false, true, false, false}},
        {"Z jumps", 'Z', true, true, {false, true, true, true}},
        {"a repeat is no second press", 'Z', true, true, {false, true, true, false}},
        {"the pad's south button holds the jump too",
         VK_GAMEPAD_A,
         true,
         true,
         {false, true, true, false}},
        {"Z let go: the pad still holds it", 'Z', false, true, {false, true, true, false}},
        {"the pad let go", VK_GAMEPAD_A, false, true, {false, true, false, false}},
        {"Up jumps", VK_UP, true, true, {false, true, true, true}},
        {"Space stays the colour depth's", VK_SPACE, true, false, {false, true, true, false}},
        {"Escape stays the way out", VK_ESCAPE, true, false, {false, true, true, false}},
        {"Left and Right together", VK_LEFT, true, true, {true, true, true, false}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(OnPlayerKey(s.key, s.down), s.taken);
        const PlayerControls c = TakePlayerControls();
        EXPECT_EQ(c.left, s.expected.left);
        EXPECT_EQ(c.right, s.expected.right);
        EXPECT_EQ(c.jumpHeld, s.expected.jumpHeld);
        EXPECT_EQ(c.jumpPressed, s.expected.jumpPressed);
    }
    // The window losing the keyboard lets go of all; a tap between two frames still presses.
    ReleasePlayerKeys();
    PlayerControls c = TakePlayerControls();
    EXPECT_FALSE(c.left || c.right || c.jumpHeld || c.jumpPressed);
    OnPlayerKey('X', true);
    OnPlayerKey('X', false);
    c = TakePlayerControls();
    EXPECT_TRUE(c.jumpPressed);
    EXPECT_FALSE(c.jumpHeld);
    display_fixture::Close();
}

}  // namespace
