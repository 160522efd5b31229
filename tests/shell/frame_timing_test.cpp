// The stopwatch, the camera's motion and the frames-per-second sample.
#include <gtest/gtest.h>

#include <climits>

#include "platform/seams/test_seams.h"
#include "shell/camera.h"
#include "shell/frame_tick.h"
#include "shell/keyboard.h"
#include "shell/stopwatch.h"

namespace {

TEST(Stopwatch, ElapsedWrapsAndIntervalsRestartFromNow) {
    test_seams::UseVirtualClock(true, 0xFFFFFF00u);
    Stopwatch s;
    EXPECT_EQ(s.Start(), 0xFFFFFF00u);
    test_seams::AdvanceVirtualClock(0x200);  // past the wrap
    EXPECT_EQ(s.Elapsed(), 0x200);
    std::int32_t stored = 0;
    EXPECT_FALSE(s.IntervalElapsed(stored, 1000));
    test_seams::AdvanceVirtualClock(1000);
    EXPECT_TRUE(s.IntervalElapsed(stored, 1000));
    EXPECT_EQ(stored, 0x200 + 1000);  // now, not stored + interval
    std::int32_t late = INT32_MAX;
    EXPECT_FALSE(s.IntervalElapsed(late, 1000));  // no overflow in the comparison
    test_seams::UseVirtualClock(false);
}

TEST(CameraMotion, TruncatesEachFrameAndClamps) {
    EXPECT_EQ(MoveCameraAxis(100, 1, 5), 100);  // 0.5 is truncated away
    EXPECT_EQ(MoveCameraAxis(100, -1, 5), 99);  // 99.5 becomes 99
    EXPECT_EQ(MoveCameraAxis(100, 3, 40), 112);
    EXPECT_EQ(MoveCameraAxis(0, -5, 16), 0);
    EXPECT_EQ(MoveCameraAxis(8192, 5, 16), 8192);
    EXPECT_EQ(MoveCameraAxis(4000, INT32_MAX, INT32_MAX), 8192);  // no overflow after a long pause
    EXPECT_EQ(MoveCameraAxis(4000, INT32_MIN, INT32_MAX), 0);
}

TEST(Keys, ArrowsChangeTheVelocityByOneAndOnlyEscapeQuits) {
    Camera = {500, 380, 0, 0};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(OnKeyDown(VK_RIGHT), 0);
    EXPECT_EQ(Camera.velocityX, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(OnKeyDown(VK_LEFT), 0);
    EXPECT_EQ(Camera.velocityX, 0);
    EXPECT_EQ(OnKeyDown(VK_UP), 0);
    EXPECT_EQ(Camera.velocityY, -1);
    EXPECT_EQ(OnKeyDown(VK_DOWN), 0);
    EXPECT_EQ(OnKeyDown(VK_DOWN), 0);
    EXPECT_EQ(Camera.velocityY, 1);
    EXPECT_NE(OnKeyDown(VK_ESCAPE), 0);
    for (std::uintptr_t key : {std::uintptr_t{'A'}, std::uintptr_t{0}, std::uintptr_t{255},
                               std::uintptr_t{0xFFFFFFFFu}, std::uintptr_t{VK_SHIFT}})
        EXPECT_EQ(OnKeyDown(key), 0);
    EXPECT_EQ(Camera.x, 500);
    EXPECT_EQ(Camera.y, 380);
    Camera.velocityX = INT32_MAX;
    EXPECT_EQ(OnKeyDown(VK_RIGHT), 0);
    EXPECT_EQ(Camera.velocityX, INT32_MAX);  // saturates instead of overflowing
}

}  // namespace
