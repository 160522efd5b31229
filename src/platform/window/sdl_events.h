// Internal to src/platform/: SDL's events as the window's messages. Called by the message pump.
#pragma once

#include <SDL.h>

namespace platform_internal {

// Queues the messages one SDL event means for the window (keys, pads, focus, close); a window
// system that lost the window's pixels has the last frame sent again. Nothing without a window.
void TranslateSdlEvent(const SDL_Event& e);

}  // namespace platform_internal
