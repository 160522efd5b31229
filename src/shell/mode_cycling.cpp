#include "shell/mode_cycling.h"

#include "display/display.h"
#include "shell/surface_life_cycle.h"

namespace {

bool TrySetMode(std::int32_t width, std::int32_t height, std::int32_t depth) {
    return DisplayDevice->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                         static_cast<DWORD>(depth)) >= 0;
}

}  // namespace

std::int32_t NextColourDepth(std::int32_t depth) {
    switch (depth) {
        case 16:
            return 24;
        case 24:
            return 32;
        case 32:
            return 8;
        default:
            return 16;
    }
}

void NextResolution(std::int32_t width, std::int32_t* nextWidth, std::int32_t* nextHeight) {
    if (width == 640) {
        *nextWidth = 800;
        *nextHeight = 600;
    } else if (width == 800) {
        *nextWidth = 1024;
        *nextHeight = 768;
    } else {
        *nextWidth = 640;
        *nextHeight = 480;
    }
}

void CycleColourDepth() {
    if (DisplayDevice == nullptr) return;
    // Each other depth of the cycle once, then the current one last.
    std::int32_t d = DisplayMode.colourDepth;
    bool accepted = false;
    for (int attempt = 0; attempt < 4 && !accepted; ++attempt) {
        d = NextColourDepth(d);
        accepted = TrySetMode(DisplayMode.width, DisplayMode.height, d);
    }
    if (!accepted) return;  // nothing has been released yet
    DisplayMode.colourDepth = d;
    RebuildDisplayObjects();
}

void CycleResolution() {
    if (DisplayDevice == nullptr) return;
    std::int32_t w = DisplayMode.width, h = DisplayMode.height;
    bool accepted = false;
    for (int attempt = 0; attempt < 3 && !accepted; ++attempt) {
        NextResolution(w, &w, &h);
        accepted = TrySetMode(w, h, DisplayMode.colourDepth);
    }
    if (!accepted) return;
    DisplayMode.width = w;
    DisplayMode.height = h;
    RebuildDisplayObjects();
}
