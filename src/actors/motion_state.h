// Per-axis acceleration, velocity and speed limit of one actor, and the truncating integrator
// that advances its position. The walker owns one.
#pragma once

#include <cstdint>

constexpr std::int32_t Gravity = 2;  // pixels per time unit squared, downwards

struct MotionPosition {
    std::int32_t x;
    std::int32_t y;
};

struct MotionState {
    std::int32_t accelerationX = 0;
    std::int32_t accelerationY = 0;
    std::int32_t velocityX = 0;
    std::int32_t velocityY = 0;
    std::int32_t limitX = 0;
    std::int32_t limitY = 0;

    // Advances (x, y) over timeStep time units; x first, then y (Gravity added while
    // airborne). Velocities are truncated every step; the stored accelerations never change.
    MotionPosition Advance(std::int32_t x, std::int32_t y, double timeStep, bool airborne);
};
