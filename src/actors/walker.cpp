#include "actors/walker.h"

#include "actors/sprite_kind.h"
#include "world/world.h"

Walker::Walker() {
    x_ = 300;
    y_ = 125;
    motion_.accelerationX = 1;
    motion_.accelerationY = 0;
    motion_.velocityX = 0;
    motion_.velocityY = 0;
    motion_.limitX = 5;
    motion_.limitY = 25;
    clockStarted_ = false;
}

bool Walker::Update(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    for (std::int32_t steps = StepsDue(kStepMs, kMaxStepsPerUpdate); steps > 0; --steps) Step();
    return UpdateScreenPosition(left, top, right, bottom);
}

void Walker::Step() {
    bool airborne = false;
    if (motion_.velocityX > 0) {
        if (TheWorld.ScanColumnsRightward(x_ + 47, y_ + 28, 2, 25).found) {
            motion_.accelerationX = -1;
            motion_.velocityX = 0;
        }
    } else if (TheWorld.ScanColumnsLeftward(x_ + 7, y_ + 28, 2, 25).found) {
        motion_.accelerationX = 1;
        motion_.velocityX = 0;
    }
    const ScanHit floor = TheWorld.ScanRows(x_ + 27, y_ + 64, 20, 2);
    if (floor.found) {
        y_ = floor.y - 65;
        motion_.accelerationY = 0;
        motion_.velocityY = 0;
    } else {
        airborne = true;
    }
    const MotionPosition p = motion_.Advance(x_, y_, kStepMs * kTimeScale, airborne);
    x_ = p.x;
    y_ = p.y;
}

void Walker::Draw(IDirectDrawSurface* target) {
    if (kind_ != nullptr)
        kind_->DrawFrame(screenX_, screenY_, target, motion_.velocityX, motion_.velocityY, 0,
                         elapsedTime_);
}
