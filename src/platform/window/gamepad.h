// Internal to src/platform/: gamepads as keys, through SDL's game controller API. Controllers
// are opened as they are plugged in; the D-pad and the left stick (past a dead zone) press the
// arrow keys, repeating while held as a keyboard does; A (the south button) presses
// VK_GAMEPAD_A, the jump, Y presses Space, Start presses Enter and Back presses Escape. Used by the
// window's message pump.
#pragma once

#include <SDL_events.h>

#include "platform/win_types.h"

namespace platform_internal {

// Starts SDL's controller support (with the video); a failure only means no gamepads.
void StartGamepads();
void StopGamepads();
// Turns one SDL event into key messages for window when it is a controller's; false for any
// other event.
bool TranslateGamepadEvent(const SDL_Event& event, HWND window);
// Sends the key repeats of held directions that are due by now (milliseconds, timeGetTime).
void RepeatHeldDirections(HWND window, DWORD now);

// The repeat's timing: X's default keyboard auto-repeat.
constexpr DWORD kRepeatDelayMs = 660;
constexpr DWORD kRepeatIntervalMs = 40;
// How far the stick must lean (of 32767) before it presses an arrow, and back before it lets go.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 12000;

}  // namespace platform_internal
