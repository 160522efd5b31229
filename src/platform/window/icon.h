// Internal to src/platform/: the window's icon (LoadIconA reads it; the window sets it, so
// window managers get _NET_WM_ICON).
#pragma once

#include "platform/win_types.h"

struct SDL_Window;

namespace platform_internal {

// The icon's picture file in the data folder, drawn by the asset generator.
constexpr const char* kIconFile = "vorn7.png";

}  // namespace platform_internal

// Gives window the icon; nothing for a null icon.
void SetWindowIcon(SDL_Window* window, HICON icon);
