// The player's feel by replay of controls on the virtual clock: runs, jumps and their forgiving
// timing, walls, ceilings and their corners, and what sends it back to its start.
#include <gtest/gtest.h>

#include <algorithm>

#include "actors/actor_manager.h"
#include "actors/player.h"
#include "actors/player_feel.h"
#include "display/display.h"
#include "display_fixture.h"
#include "platform/seams/test_seams.h"
#include "shell/stopwatch.h"
#include "world_fixture.h"

namespace {

constexpr int kFull = 5;
constexpr int kLowStep = 6;    // solid in its bottom 4 rows: a step the player walks up
constexpr int kFloorRow = 20;  // the ground's top at y 640
constexpr int kStandY = kFloorRow * 32 - 48;  // the frame's top-left when standing on it

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(800, 600, 32));
        ASSERT_TRUE(world_fixture::LoadTiles(
            [](int slot, int, int y) { return slot == kFull || (slot == kLowStep && y >= 28); }));
        world_fixture::FillGrid(TheWorld.TileGridMutable(), -1);
        for (int column = 0; column < 256; ++column) Solid(column, kFloorRow);
        test_seams::UseVirtualClock(true, 5000);
        FrameClock.Start();
        player_.StartAt(320, kStandY);
        Frames(2, {});  // the first update sees no time; the next finds the ground
    }
    void TearDown() override {
        test_seams::UseVirtualClock(false);
        display_fixture::Close();
    }
    void Solid(int column, int row) {
        TheWorld.TileGridMutable().At(column, row).tileIndex = kFull;
    }
    void Clear(int column, int row) { TheWorld.TileGridMutable().At(column, row).tileIndex = -1; }
    // Frames of 16 ms with the same controls; a press counts in the first frame only.
    void Frames(int count, PlayerControls controls) {
        for (int i = 0; i < count; ++i) {
            player_.SetControls(controls);
            controls.jumpPressed = false;
            test_seams::AdvanceVirtualClock(i == 0 && !started_ ? 0 : 16);
            started_ = true;
            player_.Update(0, 0, 831, 631);
            highest_ = std::min(highest_, player_.Y());
        }
    }
    // Frames until the player stands again (at most a second); the rise from where it stood.
    int RiseUntilLanded(int fromY) {
        for (int i = 0; i < 60 && !(i > 0 && player_.Grounded()); ++i) Frames(1, held_);
        return fromY - highest_;
    }

    Player player_;
    PlayerControls held_{};
    bool started_ = false;
    int highest_ = 1 << 30;
};

constexpr PlayerControls kJump{false, false, true, true};
constexpr PlayerControls kRight{false, true, false, false};

TEST_F(PlayerTest, RunsToItsTopSpeedAndSlidesShortlyToAStop) {
    ASSERT_TRUE(player_.Grounded());
    ASSERT_EQ(player_.Y(), kStandY);
    Frames(1, kRight);
    EXPECT_GT(player_.X(), 320);  // the first frame already moves
    Frames(9, kRight);
    EXPECT_EQ(player_.Motion().velocityX, player_feel::kRunSpeed);
    const int run = player_.X() - 320;
    EXPECT_EQ(run, 1 + 3 + 8 * 5) << "a pixel at first, then 3, then 5 a step";
    const int before = player_.X();
    Frames(10, {});
    EXPECT_EQ(player_.Motion().velocityX, 0);
    EXPECT_GT(player_.X(), before);
    EXPECT_LE(player_.X() - before, 8);
    // Left is as fast as right: the integrator's truncation is alike both ways.
    const int from = player_.X();
    Frames(10, {true, false, false, false});
    EXPECT_EQ(from - player_.X(), run);
    EXPECT_EQ(player_.Y(), kStandY);
}

TEST_F(PlayerTest, JumpsAsHighAsTheKeyIsHeldWithForgivingTiming) {
    const struct {
        const char* what;
        int heldFrames;  // frames the jump key stays down after its press
        int minRise, maxRise;
    } cases[] = {
        {"a tap: let go after a frame", 1, 24, 40},
        {"held half way", 4, 60, 90},
        {"held to the top: a full jump", 60, 100, 124},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        player_.StartAt(320, kStandY);
        Frames(1, {});
        ASSERT_TRUE(player_.Grounded());
        highest_ = 1 << 30;
        Frames(1, kJump);
        held_ = {false, false, true, false};
        Frames(c.heldFrames - 1, held_);
        held_ = {};
        const int rise = RiseUntilLanded(kStandY);
        EXPECT_GE(rise, c.minRise);
        EXPECT_LE(rise, c.maxRise);
        EXPECT_TRUE(player_.Grounded());
        EXPECT_EQ(player_.Y(), kStandY);
    }
}

// Frames until the player leaves the ground running right from where it stands (an edge ahead).
TEST_F(PlayerTest, AJumpPressedJustBeforeLandingOrJustAfterAnEdgeStillJumps) {
    const struct {
        const char* what;
        bool offAnEdge;  // else: falling onto the ground
        int framesAway;  // the press this many frames before landing or after leaving the edge
        bool jumps;
    } cases[] = {
        {"pressed 80 ms before landing", false, 5, true},
        {"pressed 160 ms before landing", false, 10, false},
        {"pressed 80 ms after running off an edge", true, 5, true},
        {"pressed 160 ms after running off an edge", true, 10, false},
    };
    for (int column = 16; column < 256; ++column) Clear(column, kFloorRow);  // the edge at x 512
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Counts the frames to the moment (landing, or leaving the edge), then plays it again
        // with the press placed around it.
        int moment = 0;
        for (int pass = 0; pass < 2; ++pass) {
            player_.StartAt(c.offAnEdge ? 400 : 320, c.offAnEdge ? kStandY : kStandY - 150);
            const PlayerControls move = c.offAnEdge ? kRight : PlayerControls{};
            int frame = 0;
            bool rose = false;
            for (; frame < 80; ++frame) {
                PlayerControls controls = move;
                if (pass == 1 && frame == moment + (c.offAnEdge ? c.framesAway : -c.framesAway))
                    controls.jumpPressed = controls.jumpHeld = true;
                const bool wasGrounded = player_.Grounded();
                Frames(1, controls);
                rose = rose || player_.Motion().velocityY < 0;
                if (pass == 0 && wasGrounded != player_.Grounded() && frame > 0) break;
            }
            if (pass == 0) moment = frame + (c.offAnEdge ? 1 : 0);
            if (pass == 1) {
                EXPECT_EQ(rose, c.jumps);
            }
        }
    }
}

TEST_F(PlayerTest, WallsAndCeilingsStopItAndCornersAndLowStepsDoNot) {
    Solid(14, kFloorRow - 1);  // a wall to the right, its left side at x 448
    Frames(30, kRight);
    EXPECT_EQ(player_.Body().right, 447);
    EXPECT_EQ(player_.Motion().velocityX, 0);
    Clear(14, kFloorRow - 1);

    const struct {
        const char* what;
        int ceilingColumn;  // a tile at row kFloorRow - 4 (its bottom at y 543)
        int startX;
        bool headStopped;
    } ceilings[] = {
        {"a ceiling over the head stops the rise", 10, 320, true},
        {"a corner met by 5 pixels slides past", 11, 330 /* its body's right at 356 */, false},
    };
    for (const auto& c : ceilings) {
        SCOPED_TRACE(c.what);
        Solid(c.ceilingColumn, kFloorRow - 4);
        player_.StartAt(c.startX, kStandY);
        Frames(1, {});
        highest_ = 1 << 30;
        Frames(1, kJump);
        held_ = {false, false, true, false};
        RiseUntilLanded(kStandY);
        const int highestHead = highest_ + player_feel::kBodyTop;
        EXPECT_EQ(highestHead == (kFloorRow - 3) * 32, c.headStopped) << highestHead;
        EXPECT_EQ(highestHead < (kFloorRow - 4) * 32, !c.headStopped) << highestHead;
        Clear(c.ceilingColumn, kFloorRow - 4);
    }

    TheWorld.TileGridMutable().At(12, kFloorRow - 1).tileIndex = kLowStep;
    player_.StartAt(320, kStandY);
    Frames(1, {});
    int lowest = kStandY;
    for (int i = 0; i < 40; ++i) {
        Frames(1, kRight);
        lowest = std::min(lowest, player_.Y());
    }
    EXPECT_EQ(lowest, kStandY - 4);  // up the step and on, never stopped
    EXPECT_GT(player_.X(), 12 * 32 + 32);
    EXPECT_EQ(player_.Y(), kStandY);
}

// The manager puts the goal first, the walkers, then the player over them; the player's touches
// with the others are settled after its update.
TEST_F(PlayerTest, AWalkerOrAFallSendsItBackBlinkingAndTheGoalEndsTheRun) {
    Solid(22, kFloorRow - 1);  // the walker turns at this wall and comes back
    Solid(22, kFloorRow - 2);
    ActorManager m;
    m.SetPlacements({{kPlayerKind, 320, kStandY},
                     {kWalkerKind, 600, kStandY - 16},
                     {kGoalKind, 1200, kStandY - 16}});
    ASSERT_TRUE(m.Restart());
    ASSERT_EQ(m.LiveCount(), 3);
    EXPECT_EQ(m.LiveActor(0)->Kind(), m.KindObject(kGoalKind));
    EXPECT_EQ(m.LiveActor(1)->Kind(), m.KindObject(kWalkerKind));
    Player* p = m.ThePlayer();
    ASSERT_EQ(m.LiveActor(2), p);
    auto frames = [&](int count, const PlayerControls& c) {
        for (int i = 0; i < count; ++i) {
            m.SetControls(c);
            test_seams::AdvanceVirtualClock(16);
            m.UpdateAndDraw(0, 0, 831, 631, BackSurface);
        }
    };
    frames(2, {});
    // Into the walker, which comes the other way: back to the start, blinking; it walks on.
    int frame = 0;
    while (p->Runs() == 1 && frame++ < 200) frames(1, kRight);
    EXPECT_EQ(p->Runs(), 2);
    EXPECT_EQ(p->X(), 320);
    EXPECT_TRUE(p->Blinking());
    // Blinking, a walker cannot touch it; the blink ends after a second.
    const int walkerX = m.LiveActor(1)->X();
    frames(1000 / 16 + 1, {});
    EXPECT_FALSE(p->Blinking());
    EXPECT_NE(m.LiveActor(1)->X(), walkerX);

    // A fall into a pit: back to the start.
    m.SetPlayerStart(5000, kStandY);
    Clear(5000 / 32, kFloorRow);
    Clear(5000 / 32 + 1, kFloorRow);
    frames(1, {});
    const int runs = p->Runs();
    frames(1200 / 16 + 1, {});  // a long fall ends at once, as one out of the world does
    EXPECT_EQ(p->Runs(), runs + 1);
    EXPECT_EQ(p->X(), 5000);

    // The goal: the run's time is kept and a new run starts at the start.
    m.SetPlayerStart(1100, kStandY);
    EXPECT_EQ(p->LastRunMs(), -1);
    frame = 0;
    while (p->LastRunMs() < 0 && frame++ < 100) frames(1, kRight);
    EXPECT_EQ(p->Runs(), runs + 2);
    EXPECT_EQ(p->LastRunMs(), 16 * frame);
    EXPECT_EQ(p->X(), 1100);

    // A restart (a saved level) keeps the start given over the level's player line.
    ASSERT_TRUE(m.Restart());
    EXPECT_EQ(m.ThePlayer()->X(), 1100);
    m.ReleaseKindSurfaces();  // the owner releases a strip's surfaces before it goes
}

}  // namespace
