#include "shell/surface_life_cycle.h"

#include "actors/sprite_constants.h"
#include "display/display.h"
#include "shell/failure.h"
#include "shell/shell_globals.h"
#include "world/world.h"

namespace {

// The upper strip is the walker sheet's top row, the lower strip its lower row.
constexpr std::int32_t kLowerRowFrames = 7;

std::int32_t StripRowY(const SurfaceStrip* strip) {
    return kWalkerSheet.Y(strip == LowerRowStrip ? 1 : 0);
}

}  // namespace

std::int32_t CreateDisplayObjects() {
    const std::int32_t w = kWalkerSheet.cellWidth, h = kWalkerSheet.cellHeight;
    UpperRowStrip = new ClippedSurfaceStrip(kWalkerSheet.columns, w, h);
    LowerRowStrip = new ClippedSurfaceStrip(kLowerRowFrames, w, h);
    TheWorld.CreateSurfaces();
    if (LoadStripFrames(UpperRowStrip) == 0) return 0;
    if (LoadStripFrames(LowerRowStrip) == 0) return 0;
    return TheWorld.LoadSurfaces();
}

std::int32_t LoadStripFrames(SurfaceStrip* strip) {
    const std::int32_t y = StripRowY(strip);
    for (std::int32_t i = 0; i < strip->FrameCount(); ++i)
        if (strip->LoadFrame(ShellSpriteSheet, i, kWalkerSheet.X(i), y) == 0) return 0;
    return 1;
}

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

void ReleaseDisplayObjects() {
    ReleaseFlipChain();
    for (ClippedSurfaceStrip** strip : {&UpperRowStrip, &LowerRowStrip}) {
        if (*strip == nullptr) continue;
        (*strip)->Release();
        delete *strip;
        *strip = nullptr;
    }
    TheWorld.ReleaseSurfaces();
}

std::int32_t PresentFrame() {
    const HRESULT hr = FrontSurface->Flip(nullptr, DDFLIP_WAIT);
    if (hr == DDERR_SURFACELOST) return RecoverSurfaces();
    return 1;
}

void ShutdownDisplay() {
    if (DisplayDevice == nullptr) return;
    ReleaseDisplayObjects();
    ReleaseDisplayDevice();
}
