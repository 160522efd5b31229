#include "platform/display/surface_memory.h"

#include <malloc.h>

namespace platform_internal {

void KeepSurfaceMemoryInTheHeap() {
    // With glibc's defaults the large surfaces (up to 3 MiB) are mapped afresh at every mode
    // switch, and the kernel's page faults and zeroing took about a third of the switch.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

}  // namespace platform_internal
