// The keys and the gamepad as the player's controls: Left and Right run, Up, Z, X and the pad's
// south button jump. The window procedure reports every key going down and up; the frame tick
// takes the controls once a frame and hands them to the actors.
#pragma once

#include <cstdint>

#include "actors/player_controls.h"

// A key went down (auto-repeats included) or up. True when the key steers the player and a
// level's player is there to steer: the key is then the player's, not the free camera's.
bool OnPlayerKey(std::uintptr_t virtualKey, bool down);
// Every key let go: the window lost the keyboard, so no key-up will come.
void ReleasePlayerKeys();
// The controls as they stand, with the jump presses since the last call.
PlayerControls TakePlayerControls();
