#include "actors/player.h"

#include <cstdlib>

#include "actors/player_feel.h"
#include "actors/sprite_constants.h"
#include "actors/sprite_kind.h"
#include "world/world.h"

using namespace player_feel;

namespace {

constexpr double kTimeScale = 0.07;  // time units per millisecond, the walker's
constexpr double kStepUnits = Player::kStepMs * kTimeScale;

enum class Order { kRows, kLeftward, kRightward };

// True when a is met before b in the scan's order.
bool Before(Order order, const ScanHit& a, const ScanHit& b) {
    if (!b.found) return true;
    switch (order) {
        case Order::kRows:
            return a.y < b.y || (a.y == b.y && a.x < b.x);
        case Order::kLeftward:
            return a.x > b.x || (a.x == b.x && a.y < b.y);
        case Order::kRightward:
            return a.x < b.x || (a.x == b.x && a.y < b.y);
    }
    return false;
}

// The first solid pixel of the box [left, right] x [top, bottom] in the scan's order. The world's
// scans take a centre and half sizes, so cover spans of odd length; an even span is scanned as
// two overlapping odd ones and the hit met first in the order is kept.
ScanHit ScanBox(Order order, std::int32_t left, std::int32_t top, std::int32_t right,
                std::int32_t bottom) {
    ScanHit best{false, 0, 0};
    if (left > right || top > bottom) return best;
    const std::int32_t oddX = (right - left) & 1, oddY = (bottom - top) & 1;
    for (std::int32_t i = 0; i <= oddX; ++i)
        for (std::int32_t j = 0; j <= oddY; ++j) {
            const std::int32_t l = left + i, r = right - oddX + i;
            const std::int32_t t = top + j, b = bottom - oddY + j;
            const std::int32_t cx = l + (r - l) / 2, cy = t + (b - t) / 2;
            const std::int32_t rx = (r - l) / 2, ry = (b - t) / 2;
            const ScanHit hit = order == Order::kRows ? TheWorld.ScanRows(cx, cy, rx, ry)
                                : order == Order::kLeftward
                                    ? TheWorld.ScanColumnsLeftward(cx, cy, rx, ry)
                                    : TheWorld.ScanColumnsRightward(cx, cy, rx, ry);
            if (hit.found && Before(order, hit, best)) best = hit;
        }
    return best;
}

std::int32_t Sign(std::int32_t v) {
    return (v > 0) - (v < 0);
}

}  // namespace

Player::Player() {
    motion_.limitX = kRunSpeed;
    motion_.limitY = kFallSpeed;
}

void Player::SetControls(const PlayerControls& controls) {
    controls_ = controls;
    if (controls.jumpPressed) jumpBufferMs_ = kJumpBufferMs;
}

void Player::StartAt(std::int32_t x, std::int32_t y) {
    startX_ = x;
    startY_ = y;
    x_ = x;
    y_ = y;
    motion_.accelerationX = motion_.accelerationY = 0;
    motion_.velocityX = motion_.velocityY = 0;
    grounded_ = jumping_ = false;
    jumpBufferMs_ = coyoteMs_ = fallMs_ = 0;
    runMs_ = 0;
    runDistance_ = 0;
}

void Player::Respawn() {
    StartAt(startX_, startY_);
    blinkMs_ = kBlinkMs;
    ++runs_;
}

void Player::ReachGoal() {
    lastRunMs_ = runMs_;
    StartAt(startX_, startY_);
    ++runs_;
}

ActorBody Player::Body() const {
    return {x_ + kBodyLeft, y_ + kBodyTop, x_ + kBodyRight, y_ + kBodyBottom};
}

bool Player::Update(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    // Fixed steps, as the walker takes them: the feel does not depend on the frame rate.
    for (std::int32_t steps = StepsDue(kStepMs, kMaxStepsPerUpdate); steps > 0; --steps) Step();
    return UpdateScreenPosition(left, top, right, bottom);
}

void Player::Step() {
    if (runMs_ < INT32_MAX - kStepMs) runMs_ += kStepMs;
    if (blinkMs_ > 0) blinkMs_ -= kStepMs;

    const std::int32_t direction = Sign(static_cast<std::int32_t>(controls_.right) -
                                        static_cast<std::int32_t>(controls_.left));
    if (direction != 0) facingLeft_ = direction < 0;
    const std::int32_t before = motion_.velocityX;
    // Held: run that way; let go: slow down to a stop.
    motion_.accelerationX =
        direction != 0 ? direction * kRunAcceleration : -Sign(before) * kRunAcceleration;

    if (jumpBufferMs_ > 0 && (grounded_ || coyoteMs_ > 0)) {
        motion_.velocityY = -kJumpSpeed;
        grounded_ = false;
        jumping_ = true;
        jumpBufferMs_ = coyoteMs_ = 0;
    } else if (jumpBufferMs_ > 0) {
        jumpBufferMs_ -= kStepMs;
    }
    if (jumping_ && motion_.velocityY >= 0) jumping_ = false;
    if (jumping_ && !controls_.jumpHeld && motion_.velocityY < -kJumpCutSpeed)
        motion_.velocityY = -kJumpCutSpeed;
    motion_.accelerationY = jumping_ && controls_.jumpHeld ? -kJumpHoldLift : 0;

    const bool wasGrounded = grounded_;
    // The integrator gives the step's displacement from 0, so truncation is alike both ways.
    MotionPosition moved = motion_.Advance(0, 0, kStepUnits, !grounded_);
    if (direction == 0 && Sign(motion_.velocityX) != Sign(before)) {
        motion_.velocityX = 0;  // slowing down stops; it never turns round
        if (Sign(moved.x) != Sign(before)) moved.x = 0;
    }
    MoveX(moved.x);
    MoveY(moved.y);
    StepUpOrDown(wasGrounded);
    if (grounded_) {
        coyoteMs_ = kCoyoteMs;
        runDistance_ += std::abs(moved.x);
    } else if (coyoteMs_ > 0) {
        coyoteMs_ -= kStepMs;
    }
    fallMs_ = !grounded_ && motion_.velocityY > 0 ? fallMs_ + kStepMs : 0;
    if (y_ + kBodyTop >= kWorldSize || fallMs_ >= kLongFallMs) Respawn();
}

void Player::MoveX(std::int32_t dx) {
    const ActorBody b = Body();
    const std::int32_t lowest = b.bottom - kStepUp;  // a low step is climbed, not a wall
    if (dx > 0) {
        const ScanHit wall = ScanBox(Order::kRightward, b.right + 1, b.top, b.right + dx, lowest);
        if (wall.found) {
            dx = wall.x - 1 - b.right;
            motion_.velocityX = 0;
        }
    } else if (dx < 0) {
        const ScanHit wall = ScanBox(Order::kLeftward, b.left + dx, b.top, b.left - 1, lowest);
        if (wall.found) {
            dx = wall.x + 1 - b.left;
            motion_.velocityX = 0;
        }
    }
    x_ += dx;
    // The world's sides are walls.
    if (x_ + kBodyLeft < 0) {
        x_ = -kBodyLeft;
        motion_.velocityX = 0;
    } else if (x_ + kBodyRight >= kWorldSize) {
        x_ = kWorldSize - 1 - kBodyRight;
        motion_.velocityX = 0;
    }
}

void Player::MoveY(std::int32_t dy) {
    const ActorBody b = Body();
    if (dy > 0) {
        const ScanHit floor = ScanBox(Order::kRows, b.left, b.bottom + 1, b.right, b.bottom + dy);
        y_ += floor.found ? floor.y - 1 - b.bottom : dy;
        return;  // standing is settled by StepUpOrDown
    }
    // Rising: the nearest ceiling row above the head, met row by row.
    for (std::int32_t row = b.top - 1; row >= b.top + dy; --row) {
        if (!ScanBox(Order::kRows, b.left, row, b.right, row).found) continue;
        if (SlidePastCorner(dy)) return;
        y_ += row + 1 - b.top;
        motion_.velocityY = 0;
        jumping_ = false;
        return;
    }
    y_ += dy;
}

bool Player::Clear(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) const {
    return !ScanBox(Order::kRows, left, top, right, bottom).found;
}

bool Player::SlidePastCorner(std::int32_t dy) {
    const ActorBody b = Body();
    for (std::int32_t shift = 1; shift <= kCornerSlide; ++shift)
        for (const std::int32_t s : {shift, -shift})
            if (Clear(b.left + s, b.top + dy, b.right + s, b.bottom)) {
                x_ += s;
                y_ += dy;
                return true;
            }
    return false;
}

void Player::StepUpOrDown(bool wasGrounded) {
    ActorBody b = Body();
    // A floor risen into the feet (a slope, a low step) lifts the player onto it.
    if (motion_.velocityY >= 0) {
        const ScanHit rise =
            ScanBox(Order::kRows, b.left, b.bottom - kStepUp + 1, b.right, b.bottom);
        if (rise.found) {
            y_ -= b.bottom - (rise.y - 1);
            b = Body();
        }
    }
    // Standing: ground right under the feet; walking down a slope keeps to it.
    const std::int32_t reach = wasGrounded && !jumping_ && motion_.velocityY >= 0 ? kStepUp : 0;
    const ScanHit ground =
        jumping_ ? ScanHit{false, 0, 0}
                 : ScanBox(Order::kRows, b.left, b.bottom + 1, b.right, b.bottom + 1 + reach);
    grounded_ = ground.found;
    if (grounded_) {
        y_ += ground.y - 1 - b.bottom;
        motion_.velocityY = 0;
        motion_.accelerationY = 0;
    }
}

std::int32_t Player::PoseFrame() const {
    std::int32_t pose = kPoseStand;
    if (!grounded_)
        pose = motion_.velocityY < 0 ? kPoseJump : kPoseFall;
    else if (motion_.velocityX != 0)
        pose = kPoseRun + (runDistance_ / kRunFramePixels) % 4;
    return (facingLeft_ ? kPlayerPoseCount : 0) + pose;
}

void Player::Draw(IDirectDrawSurface* target) {
    frame_ = PoseFrame();
    if (Blinking() && (blinkMs_ / kBlinkPhaseMs) % 2 == 1) return;
    if (kind_ != nullptr)
        kind_->DrawFrame(screenX_, screenY_, target, motion_.velocityX, motion_.velocityY, frame_,
                         elapsedTime_);
}
