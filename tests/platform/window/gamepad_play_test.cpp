// A gamepad plays the level's player as the keys do: the D-pad runs, the south button jumps.
// The pad is SDL's virtual joystick, plugged in while the shipped level runs headless.
#include <gtest/gtest.h>

#include <SDL.h>

#include "actors/actor_manager.h"
#include "actors/player.h"
#include "game_run.h"
#include "platform/files/data_path.h"
#include "shell/command_line.h"
#include "virtual_pad.h"
#include "world/world.h"

namespace {

TEST(GamepadPlay, TheDpadRunsThePlayerAndTheSouthButtonJumps) {
    data_path::SetLevelFolder((game_run::DataFolder() / kShippedLevels / "first-run").string());
    game_run::UseHeadlessPlatform(16);
    // SDL's dummy driver gives no window the focus, and SDL keeps a pad's events from a program
    // without it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    game_run::QuitAt(70);
    SDL_Joystick* pad = nullptr;
    int index = -1, startX = 0, ranTo = 0;
    bool rose = false;
    const auto press = [&](SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
    };
    game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
        const Player& p = *TheWorld.Actors()->ThePlayer();
        if (f.frameNumber == 1) {
            index = virtual_pad::Attach();
            ASSERT_GE(index, 0) << SDL_GetError();
            pad = SDL_JoystickOpen(index);
            ASSERT_NE(pad, nullptr);
        } else if (f.frameNumber == 5) {
            startX = p.X();
            press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
        } else if (f.frameNumber == 35) {
            press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
            ranTo = p.X();
            press(SDL_CONTROLLER_BUTTON_A, true);
        } else if (f.frameNumber == 55) {
            press(SDL_CONTROLLER_BUTTON_A, false);
        }
        if (f.frameNumber > 35) rose = rose || p.Motion().velocityY < 0;
    });
    EXPECT_GT(ranTo - startX, 100) << "30 frames of the D-pad held run at the top speed";
    EXPECT_TRUE(rose) << "the south button jumps";
    if (pad != nullptr) SDL_JoystickClose(pad);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
    data_path::SetLevelFolder("");
}

}  // namespace
