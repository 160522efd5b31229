// Internal to src/platform/: how the surfaces' pixel memory is kept. Called once by
// DirectDrawCreate.
#pragma once

namespace platform_internal {

// Keeps large blocks (a frame, the background) in the heap when freed, so a mode switch, which
// releases every surface and makes them again, reuses them instead of mapping fresh pages.
void KeepSurfaceMemoryInTheHeap();

}  // namespace platform_internal
