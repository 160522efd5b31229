#include "platform/window/clock.h"

#include <SDL.h>

#include "platform/seams/seam_state.h"

DWORD timeGetTime() {
    if constexpr (platform_internal::kTestSeams)
        if (platform_internal::Seams().virtualClock) return platform_internal::Seams().virtualNow;
    return static_cast<DWORD>(SDL_GetTicks64());
}
