#include "actors/motion_state.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Truncation toward zero into 32 bits; values beyond the range (only reachable after absurd
// pauses) saturate instead of being undefined.
std::int32_t Truncate(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

// One axis: returns the new position and stores the new velocity.
std::int32_t AdvanceAxis(std::int32_t a, std::int32_t& v, std::int32_t limit, std::int32_t p,
                         double t) {
    const double q = a * t;
    const double s = q + v;
    const std::int32_t n = Truncate(s);
    const std::int64_t magnitude = std::llabs(static_cast<long long>(n));
    if (magnitude > limit) {
        v = s > 0.0 ? limit : -limit;
        return Truncate(v * t + p);
    }
    const std::int32_t position = Truncate((q * 0.5 + v) * t + p);
    v = n;
    return position;
}

}  // namespace

MotionPosition MotionState::Advance(std::int32_t x, std::int32_t y, double timeStep,
                                    bool airborne) {
    const std::int32_t newX = AdvanceAxis(accelerationX, velocityX, limitX, x, timeStep);
    const std::int32_t effectiveY = airborne ? accelerationY + Gravity : accelerationY;
    const std::int32_t newY = AdvanceAxis(effectiveY, velocityY, limitY, y, timeStep);
    return {newX, newY};
}
