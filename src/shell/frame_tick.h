// One frame's work before the flip: time, frames per second, camera motion, the world, and
// the diagnostic overlay. Called by RunFrame once per frame.
#pragma once

#include <cstdint>

#include "platform/display/ddraw.h"

struct FrameTimingRecord {
    std::int32_t previousFrameTime;
    std::int32_t framesCounted;
    std::int32_t lastSampleTime;
    std::int32_t shownFramesPerSecond;
};

extern FrameTimingRecord FrameTiming;

// Nonzero on success; 0 when the World failed to draw, which its design allows but cannot happen
// here (World::Draw always returns 1).
[[nodiscard]] std::int32_t FrameTick();
// Draws one text block with its top-left corner at (left, top), clipped 10 pixels inside the
// display's bottom-right corner, lines broken between words there when wrapping; returns the
// height drawn (0 when the surface's device context is unavailable).
std::int32_t DrawOverlayText(const char* text, IDirectDrawSurface* surface, std::int32_t left,
                             std::int32_t top, bool wrap = false);
// Moves one camera coordinate by velocity x elapsed / 10 (truncated) and clamps it to 0..8192.
std::int32_t MoveCameraAxis(std::int32_t position, std::int32_t velocity, std::int32_t elapsed);
