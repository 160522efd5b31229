#include "shell/frame_tick.h"

#include <cstdio>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "platform/pictures/gdi.h"
#include "shell/camera.h"
#include "shell/camera_follow.h"
#include "shell/desktop_keys.h"
#include "shell/live_reload.h"
#include "shell/player_input.h"
#include "shell/stopwatch.h"
#include "world/world.h"

FrameTimingRecord FrameTiming{0, 0, 0, 0};

namespace {
constexpr std::int32_t kCameraLimit = kWorldSize;
}

std::int32_t MoveCameraAxis(std::int32_t position, std::int32_t velocity, std::int32_t elapsed) {
    // The product in 64 bits: a long pause at a high velocity must not overflow.
    const std::int64_t product = static_cast<std::int64_t>(velocity) * elapsed;
    const double moved = static_cast<double>(product) * 0.1 + position;
    if (moved < 0.0) return 0;
    if (moved > kCameraLimit) return kCameraLimit;
    return static_cast<std::int32_t>(moved);
}

std::int32_t FrameTick() {
    const std::int32_t now = FrameClock.Elapsed();
    const auto elapsed =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                  static_cast<std::uint32_t>(FrameTiming.previousFrameTime));
    FrameTiming.previousFrameTime = now;
    ++FrameTiming.framesCounted;
    if (FrameClock.IntervalElapsed(FrameTiming.lastSampleTime, 1000)) {
        FrameTiming.shownFramesPerSecond = FrameTiming.framesCounted;
        FrameTiming.framesCounted = 0;
    }
    // A level with a player: the controls go to it and the camera follows it; without one, the
    // free camera flies.
    const PlayerControls controls = TakePlayerControls();
    Player* const player = TheWorld.Actors() != nullptr ? TheWorld.Actors()->ThePlayer() : nullptr;
    if (player != nullptr) {
        TheWorld.Actors()->SetControls(controls);
        const ActorBody body = player->Body();
        Camera = FollowPlayer(Camera, body.CentreX(), body.CentreY(), elapsed);
    } else {
        Camera.x = MoveCameraAxis(Camera.x, Camera.velocityX, elapsed);
        Camera.y = MoveCameraAxis(Camera.y, Camera.velocityY, elapsed);
    }

    if (TheWorld.Draw(Camera.x, Camera.y, BackSurface) == 0) return 0;

    char text[256];
    std::snprintf(text, sizeof text, "%dx%dx%d %dfps\n\nColors: Space\nResolution: Enter\n",
                  DisplayMode.width, DisplayMode.height, DisplayMode.colourDepth,
                  FrameTiming.shownFramesPerSecond);
    DrawOverlayText(text, BackSurface, 5, 5);
    std::snprintf(text, sizeof text, "x: %d y: %d\nVelocity X: %d, Velocity Y:%d\n", Camera.x,
                  Camera.y, Camera.velocityX, Camera.velocityY);
    DrawOverlayText(text, BackSurface, 5, 100);
    std::snprintf(
        text, sizeof text, "%d",
        static_cast<int>(static_cast<unsigned char>(TheWorld.SolidPixelAt(Camera.x, Camera.y))));
    DrawOverlayText(text, BackSurface, DisplayMode.width / 2, DisplayMode.height / 2);
    // With --watch, a save that did not load says why until a good one replaces it: the whole
    // reason, on as many lines as the mode's width needs.
    std::int32_t below = 170;
    if (ReloadProblem()[0] != '\0')
        below = 150 + DrawOverlayText(ReloadProblem(), BackSurface, 5, 150, true) + 2;
    if (player != nullptr && player->LastRunMs() >= 0) {
        std::snprintf(text, sizeof text, "Goal reached in %d.%02d s", player->LastRunMs() / 1000,
                      player->LastRunMs() % 1000 / 10);
        below += DrawOverlayText(text, BackSurface, 5, below) + 2;
    }
    if (ScreenshotNotice()[0] != '\0') DrawOverlayText(ScreenshotNotice(), BackSurface, 5, below);
    return 1;
}

std::int32_t DrawOverlayText(const char* text, IDirectDrawSurface* surface, std::int32_t left,
                             std::int32_t top, bool wrap) {
    HDC dc = nullptr;
    if (surface == nullptr || surface->GetDC(&dc) < 0) return 0;
    RECT rect{left, top, DisplayMode.width - 10, DisplayMode.height - 10};
    const int height = DrawTextA(dc, text, -1, &rect, wrap ? DT_WORDBREAK : 0);
    surface->ReleaseDC(dc);
    return height;
}
