#include "display/mode_cycling.h"

#include "display/display.h"
#include "shell/app.h"
#include "world/world.h"

// After a new mode is set (or a picture is reloaded): everything is rebuilt. A rebuild that
// fails ends the program through window destruction, so no later frame touches a released
// surface.
void RebuildDisplayObjects() {
    ReleaseDisplayObjects();
    if (!CreateFlipChain(MainWindow)) {
        EndAfterFailure("the display could not build its flip chain after a mode switch");
        return;
    }
    if (!CreateDisplayObjects())
        EndAfterFailure("the surfaces could not be rebuilt after a mode switch");
}

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

std::int32_t RecoverSurfaces() {
    // Restoring the primary surface restores its back buffer too, so a lost flip chain can
    // flip again; a chain that cannot be restored would fail every later flip, so it ends the
    // program as a failed refill does.
    if (FrontSurface == nullptr || FrontSurface->Restore() < 0) return 0;
    if (UpperRowStrip == nullptr || UpperRowStrip->Restore() == 0) return 0;
    const std::int32_t a = LoadStripFrames(UpperRowStrip);
    if (LowerRowStrip == nullptr || LowerRowStrip->Restore() == 0) return 0;
    const std::int32_t b = a && LoadStripFrames(LowerRowStrip);
    const std::int32_t world = TheWorld.Restore();
    return (world && b) ? 1 : 0;
}
