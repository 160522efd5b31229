// The walker's fixed steps reproduce the worked run, land exactly, turn at walls, and do not
// depend on the frame rate.
#include <gtest/gtest.h>

#include <vector>

#include "actors/actor_manager.h"
#include "actors/walker.h"
#include "display/display.h"
#include "display_fixture.h"
#include "platform/seams/test_seams.h"
#include "shell/stopwatch.h"
#include "world_fixture.h"

namespace {

constexpr int kFull = 5;

class WalkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(800, 600, 32));
        ASSERT_TRUE(world_fixture::LoadTiles([](int slot, int, int) { return slot == kFull; }));
        world_fixture::FillGrid(TheWorld.TileGridMutable(), -1);
        test_seams::UseVirtualClock(true, 5000);
        FrameClock.Start();
    }
    void TearDown() override {
        test_seams::UseVirtualClock(false);
        display_fixture::Close();
    }
    // Advances the clock by ms and updates the walker with a view at the world origin.
    bool Tick(Walker& w, int ms) {
        test_seams::AdvanceVirtualClock(static_cast<std::uint32_t>(ms));
        return w.Update(0, 0, 831, 631);
    }
    void Solid(int column, int row) {
        TheWorld.TileGridMutable().At(column, row).tileIndex = kFull;
    }
};

TEST_F(WalkerTest, WorkedRunInOpenAir) {
    Walker w;
    Tick(w, 0);  // the first update sees no time
    EXPECT_EQ(w.X(), 300);
    EXPECT_EQ(w.Y(), 125);
    const std::vector<int> xs{300, 301, 303, 306, 311, 316, 321, 326};
    const std::vector<int> vxs{1, 2, 3, 4, 5, 5, 5, 5};
    const std::vector<int> ys{126, 129, 134, 141, 151, 163, 177, 193, 212, 233, 256, 281, 309, 337};
    for (std::size_t i = 0; i < ys.size(); ++i) {
        Tick(w, 16);
        if (i < xs.size()) {
            EXPECT_EQ(w.X(), xs[i]) << i;
            EXPECT_EQ(w.Motion().velocityX, vxs[i]) << i;
        }
        EXPECT_EQ(w.Y(), ys[i]) << i;
        EXPECT_EQ(w.Motion().velocityY, std::min<int>(2 * static_cast<int>(i + 1), 25)) << i;
    }
}

TEST_F(WalkerTest, LandsOnTheFirstSolidRowAndRests) {
    for (int c = 0; c < 40; ++c) Solid(c, 7);  // ground top at y = 224
    Walker w;
    Tick(w, 0);
    for (int i = 0; i < 40; ++i) Tick(w, 16);
    EXPECT_EQ(w.Y(), 224 - 65);
    EXPECT_EQ(w.Motion().velocityY, 0);
    const int y = w.Y();
    for (int i = 0; i < 20; ++i) Tick(w, 16);
    EXPECT_EQ(w.Y(), y);  // no drift while it stands
}

TEST_F(WalkerTest, TurnsAtWallsOnBothSides) {
    for (int c = 0; c < 40; ++c) Solid(c, 7);
    for (int r = 0; r < 7; ++r) {
        Solid(20, r);  // a wall at x = 640
        Solid(3, r);   // and one ending at x = 127
    }
    Walker w;
    Tick(w, 0);
    int minX = w.X(), maxX = w.X();
    bool turnedLeft = false, turnedRight = false;
    for (int i = 0; i < 600; ++i) {
        const int before = w.Motion().accelerationX;
        Tick(w, 16);
        if (before > 0 && w.Motion().accelerationX < 0) turnedLeft = true;
        if (before < 0 && w.Motion().accelerationX > 0) turnedRight = true;
        minX = std::min(minX, w.X());
        maxX = std::max(maxX, w.X());
    }
    EXPECT_TRUE(turnedLeft);
    EXPECT_TRUE(turnedRight);
    EXPECT_LE(maxX + 49, 640 + 5);  // never through the wall on the right
    EXPECT_GE(minX + 5, 127 - 5);   // nor the one on the left
}

TEST_F(WalkerTest, EightMillisecondUpdatesWalkAtTheSameSpeedAsSixteen) {
    for (int c = 0; c < 256; ++c) Solid(c, 7);
    Walker a;
    Tick(a, 0);
    for (int i = 0; i < 60; ++i) Tick(a, 16);
    const int sixteen = a.X();
    // A fresh walker on the same clock.
    Walker b;
    Tick(b, 0);
    for (int i = 0; i < 120; ++i) Tick(b, 8);
    EXPECT_EQ(b.X(), sixteen);
    EXPECT_GT(sixteen, 300 + 200);
}

TEST_F(WalkerTest, ALongPauseMovesAtMostEightStepsAndNotThroughTheFloor) {
    for (int c = 0; c < 256; ++c) Solid(c, 7);
    Walker w;
    Tick(w, 0);
    for (int i = 0; i < 30; ++i) Tick(w, 16);
    const int x = w.X(), y = w.Y();
    Tick(w, 10000);
    EXPECT_LE(w.X() - x, 8 * 6);
    EXPECT_EQ(w.Y(), y);
    EXPECT_LT(w.Accumulator(), Walker::kStepMs);
    // In open air a pause cannot drop it out of the world either.
    world_fixture::FillGrid(TheWorld.TileGridMutable(), -1);
    const int before = w.Y();
    Tick(w, 60000);
    EXPECT_LE(w.Y() - before, 8 * 30);
}

TEST_F(WalkerTest, VisibilityFollowsTheDisplaySize) {
    Walker w;
    Tick(w, 0);                                 // at (300, 125)
    EXPECT_TRUE(w.Update(300 + 63, 0, 0, 0));   // screen x -63: still drawn
    EXPECT_FALSE(w.Update(300 + 64, 0, 0, 0));  // -64: not
    EXPECT_TRUE(w.Update(300 - 799, 0, 0, 0));
    EXPECT_FALSE(w.Update(300 - 800, 0, 0, 0));
    DisplayMode.width = 1024;
    EXPECT_TRUE(w.Update(300 - 800, 0, 0, 0));
    DisplayMode.width = 800;
    EXPECT_TRUE(w.Update(0, 125 - 599, 0, 0));
    EXPECT_FALSE(w.Update(0, 125 - 600, 0, 0));
}

}  // namespace
