// Internal to src/platform/: SDL's keys as Windows virtual-key codes. Used by the window's
// message pump.
#pragma once

#include <SDL_keycode.h>

namespace platform_internal {

// The virtual-key code of an SDL key; 0 for a key that has none (it sends no message).
int VirtualKeyFromSdl(SDL_Keycode key);

}  // namespace platform_internal
