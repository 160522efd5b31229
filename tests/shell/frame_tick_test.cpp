// One frame's work: the frames-per-second sample and where the overlay's blocks land.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "platform/pictures/bitmap_font.h"
#include "platform/seams/test_seams.h"
#include "shell/camera.h"
#include "shell/frame_tick.h"
#include "shell/start_up.h"
#include "shell/stopwatch.h"
#include "world_fixture.h"

namespace {

class Tick : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(640, 480, 32));
        ASSERT_TRUE(world_fixture::LoadTiles([](int, int, int) { return false; }));
        world_fixture::FillGrid(TheWorld.TileGridMutable(), -1);
        world_fixture::FillGrid(TheWorld.BlockGridMutable(), -1);
        test_seams::UseVirtualClock(true, 777);
        FrameClock.Start();
        StartPlay();
    }
    void TearDown() override {
        test_seams::UseVirtualClock(false);
        display_fixture::Close();
    }
};

TEST_F(Tick, FramesPerSecondIsZeroForASecondThenCountsTheSamplingFrame) {
    std::vector<int> shown;
    for (int i = 0; i < 130; ++i) {
        test_seams::AdvanceVirtualClock(16);
        ASSERT_EQ(FrameTick(), 1);
        shown.push_back(FrameTiming.shownFramesPerSecond);
    }
    EXPECT_EQ(shown[60], 0);   // 976 ms
    EXPECT_EQ(shown[61], 0);   // 992 ms
    EXPECT_EQ(shown[62], 63);  // 1008 ms: the 63 frames including this one
    EXPECT_EQ(shown[124], 63);
    EXPECT_EQ(shown[125], 63);
}

TEST_F(Tick, OverlayBlocksAreDrawnAtTheirCornersAndClippedTenPixelsIn) {
    display_fixture::Fill(BackSurface, 0x123456);
    Camera = {8192, 8192, 5, 0};  // the solid byte outside the world shows 0
    ASSERT_EQ(FrameTick(), 1);
    auto paper = [](int x, int y) {
        return display_fixture::RawAt(BackSurface, x, y) == 0xFFFFFFu;
    };
    EXPECT_TRUE(paper(5, 5));                                 // block 1
    EXPECT_TRUE(paper(5, 100));                               // block 2
    EXPECT_TRUE(paper(320, 240));                             // block 3 at the display's centre
    EXPECT_FALSE(paper(320 + bitmap_font::kCellWidth, 240));  // one digit only
    EXPECT_EQ(Camera.x, 8192);
    EXPECT_EQ(Camera.velocityX, 5);
    // Nothing of the text reaches past width - 10.
    for (int y = 0; y < 480; ++y)
        for (int x = 630; x < 640; ++x) ASSERT_FALSE(paper(x, y)) << x << "," << y;
}

TEST_F(Tick, AFailedDeviceContextSkipsTheTextButNotTheFrame) {
    test_seams::InjectedFaults().failGetDC = true;
    display_fixture::Fill(BackSurface, 0x123456);
    EXPECT_EQ(FrameTick(), 1);
    EXPECT_NE(display_fixture::RawAt(BackSurface, 5, 5), 0xFFFFFFu);
    test_seams::InjectedFaults().failGetDC = false;
}

}  // namespace
