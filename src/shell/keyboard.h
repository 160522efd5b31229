// The game's keys: the arrows change the camera's velocity, Space and Enter switch the display
// mode, Escape asks to end. Called by the window procedure for each WM_KEYDOWN.
#pragma once

#include <cstdint>

// Applies one WM_KEYDOWN (auto-repeats included); nonzero asks for the program to end.
[[nodiscard]] std::int32_t OnKeyDown(std::uintptr_t virtualKey);
