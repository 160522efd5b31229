#include "actors/actor.h"

#include <algorithm>

#include "actors/sprite_constants.h"
#include "display/display.h"
#include "shell/stopwatch.h"

Actor::Actor() : lastClockReading_(FrameClock.Elapsed()) {}

bool Actor::Update(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    return false;
}

std::int32_t Actor::StepsDue(std::int32_t stepMs, std::int32_t maxSteps) {
    if (!clockStarted_) {
        lastClockReading_ = FrameClock.Elapsed();
        clockStarted_ = true;
    }
    const std::int32_t now = FrameClock.Elapsed();
    elapsedTime_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                             static_cast<std::uint32_t>(lastClockReading_));
    lastClockReading_ = now;
    const std::int64_t pending =
        static_cast<std::int64_t>(accumulator_) + (elapsedTime_ > 0 ? elapsedTime_ : 0);
    const std::int64_t steps = std::min<std::int64_t>(pending / stepMs, maxSteps);
    accumulator_ = static_cast<std::int32_t>((pending - steps * stepMs) % stepMs);
    return static_cast<std::int32_t>(steps);
}

ActorBody Actor::Body() const {
    return {x_, y_, x_ + SpriteFrameWidth - 1, y_ + SpriteFrameHeight - 1};
}

bool Actor::UpdateScreenPosition(std::int32_t left, std::int32_t top, std::int32_t, std::int32_t) {
    // In 64 bits: an actor far outside the world must not overflow the subtraction.
    const std::int64_t sx = static_cast<std::int64_t>(x_) - left;
    const std::int64_t sy = static_cast<std::int64_t>(y_) - top;
    screenX_ = static_cast<std::int32_t>(sx < INT32_MIN   ? INT32_MIN
                                         : sx > INT32_MAX ? INT32_MAX
                                                          : sx);
    screenY_ = static_cast<std::int32_t>(sy < INT32_MIN   ? INT32_MIN
                                         : sy > INT32_MAX ? INT32_MAX
                                                          : sy);
    return sx < DisplayMode.width && sy < DisplayMode.height && sx > -SpriteFrameWidth &&
           sy > -SpriteFrameHeight;
}
