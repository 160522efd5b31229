// The integrator's truncations and caps, pinned to hand-worked numbers.
#include <gtest/gtest.h>

#include "actors/motion_state.h"

namespace {

MotionState Axis(int ax, int ay, int vx, int vy, int lx, int ly) {
    MotionState m;
    m.accelerationX = ax;
    m.accelerationY = ay;
    m.velocityX = vx;
    m.velocityY = vy;
    m.limitX = lx;
    m.limitY = ly;
    return m;
}

TEST(MotionState, WorkedSteps) {
    MotionState walk = Axis(1, 0, 0, 0, 5, 25);
    auto p = walk.Advance(300, 125, 1.12, false);
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(walk.velocityX, 1);
    EXPECT_EQ(p.y, 125);  // grounded: no gravity
    EXPECT_EQ(walk.velocityY, 0);

    MotionState fall = Axis(0, 0, 0, 0, 5, 25);
    p = fall.Advance(0, 125, 1.12, true);
    EXPECT_EQ(p.y, 126);
    EXPECT_EQ(fall.velocityY, 2);
    EXPECT_EQ(fall.accelerationY, 0);  // gravity never stored

    MotionState fast = Axis(0, 0, 0, 24, 5, 25);
    p = fast.Advance(0, 125, 1.12, true);
    EXPECT_EQ(p.y, 153);
    EXPECT_EQ(fast.velocityY, 25);

    MotionState capped = Axis(1, 0, 4, 0, 5, 25);
    p = capped.Advance(300, 0, 2.24, false);
    EXPECT_EQ(capped.velocityX, 5);
    EXPECT_EQ(p.x, 311);
}

TEST(MotionState, CapIsTestedOnTheTruncatedCandidateAndSignOnTheSum) {
    MotionState m = Axis(0, 0, 5, 0, 5, 25);
    // s = 5.9: n = 5 is not over the limit, so the uncapped formula moves the position.
    m.accelerationX = 1;
    auto p = m.Advance(0, 0, 0.9, false);
    EXPECT_EQ(m.velocityX, 5);
    EXPECT_EQ(p.x, static_cast<int>((0.9 * 0.5 + 5) * 0.9));
    m = Axis(1, 0, 5, 0, 5, 25);
    m.Advance(0, 0, 1.0, false);  // s = 6.0: capped
    EXPECT_EQ(m.velocityX, 5);
    m = Axis(-3, 0, -4, 0, 5, 25);
    m.Advance(0, 0, 1.0, false);
    EXPECT_EQ(m.velocityX, -5);
    m = Axis(1, 0, 0, 0, 0, 25);  // a limit of 0 holds everything still
    p = m.Advance(10, 0, 3.0, false);
    EXPECT_EQ(m.velocityX, 0);
    EXPECT_EQ(p.x, 10);
}

TEST(MotionState, SmallStepsTruncateAwayAndNegativePositionsTruncateTowardZero) {
    MotionState m = Axis(1, 0, 0, 0, 5, 25);
    for (int i = 0; i < 50; ++i) m.Advance(300, 0, 0.56, false);
    EXPECT_EQ(m.velocityX, 0);  // below one time unit a velocity never starts
    MotionState zero = Axis(1, 0, 3, 0, 5, 25);
    auto p = zero.Advance(7, 9, 0.0, false);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(zero.velocityX, 3);
    // From -5 a step that adds 0.48 gives -4; from 5 the same step gives 5.
    MotionState n = Axis(0, 0, 0, 0, 5, 25);
    n.accelerationX = 1;
    p = n.Advance(-5, 0, 0.98, false);
    EXPECT_EQ(p.x, -4);
    n = Axis(1, 0, 0, 0, 5, 25);
    p = n.Advance(5, 0, 0.98, false);
    EXPECT_EQ(p.x, 5);
}

TEST(MotionState, HugeStepsSaturateInsteadOfOverflowing) {
    MotionState m = Axis(1, 0, 5, 25, 5, 25);
    auto p = m.Advance(2147483000, 2147483000, 1e9, true);
    EXPECT_EQ(p.x, 2147483647);
    EXPECT_EQ(p.y, 2147483647);
}

}  // namespace
