// The manager's spawn and kind life cycle, the shared 200 ms walk animation, and the walker's
// sheet.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "actors/actor_manager.h"
#include "actors/sprite_constants.h"
#include "bmp_writer.h"
#include "display/display.h"
#include "display_fixture.h"
#include "platform/files/data_path.h"
#include "platform/seams/test_seams.h"

namespace {

class Manager : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(display_fixture::Open(800, 600, 32)); }
    void TearDown() override { display_fixture::Close(); }
};

TEST_F(Manager, KindOperationsWaitForTheFirstSpawnAndTheStripIsMadeOnce) {
    ActorManager m;
    const int surfaces = test_seams::LiveSurfaceCount();
    EXPECT_TRUE(m.LoadKindBitmaps());  // nothing to do yet: success without loading a file
    EXPECT_TRUE(m.LoadKindFrames());
    EXPECT_TRUE(m.RestoreKinds());
    m.CreateKindSurfaces();
    m.ReleaseKindSurfaces();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces);
    EXPECT_TRUE(m.UpdateAndDraw(0, 0, 800, 600, BackSurface));

    EXPECT_FALSE(m.Spawn(3));  // no such kind
    EXPECT_FALSE(m.Spawn(-1));
    EXPECT_EQ(m.LiveCount(), 0);
    ASSERT_TRUE(m.Spawn(0));
    EXPECT_EQ(m.LiveCount(), 1);
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces + 8);
    m.CreateKindSurfaces();  // a strip is present: nothing new
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces + 8);
    EXPECT_EQ(m.LiveActor(0)->Kind(), m.KindObject(0));
    m.ReleaseKindSurfaces();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces);
    EXPECT_FALSE(m.RestoreKinds());  // no strip: reported, nothing touched
    EXPECT_FALSE(m.LoadKindFrames());
    m.CreateKindSurfaces();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces + 8);
    m.ReleaseKindSurfaces();
}

TEST_F(Manager, WalkAnimationAdvancesEvery200MsAtMostOneFrameACall) {
    WalkerSpriteKind kind;
    kind.CreateStrip();
    auto draw = [&](int vx, int elapsed) { kind.DrawFrame(0, 0, BackSurface, vx, 0, 0, elapsed); };
    draw(-1, 0);
    EXPECT_EQ(kind.CurrentFrame(), 0);
    for (int i = 0; i < 12; ++i) draw(-1, 16);
    EXPECT_EQ(kind.CurrentFrame(), 0);  // 192 ms
    draw(-1, 16);                       // 208 ms: the 13th call advances
    EXPECT_EQ(kind.CurrentFrame(), 1);
    EXPECT_EQ(kind.AccumulatedTime(), 0);  // restarts at 0, not at 8
    draw(-1, 1000);
    EXPECT_EQ(kind.CurrentFrame(), 2);  // one frame only
    draw(-1, 200);
    draw(-1, 200);
    EXPECT_EQ(kind.CurrentFrame(), 0);  // 4 wraps to 0 before drawing
    kind.ReleaseStrip();
}

TEST_F(Manager, FacingPicksTheHalfOfTheStripAtOnce) {
    // Frame i of the strip is filled with a colour of its own; the drawn frame shows which.
    WalkerSpriteKind kind;
    kind.CreateStrip();
    SurfaceStrip* strip = kind.Strip();
    for (int i = 0; i < 8; ++i) display_fixture::Fill(strip->FrameSurface(i), 0x100000u * (i + 1));
    auto shown = [&](int vx, int elapsed) {
        display_fixture::Fill(BackSurface, 0);
        kind.DrawFrame(10, 10, BackSurface, vx, 0, 0, elapsed);
        return static_cast<int>(display_fixture::RawAt(BackSurface, 10, 10) / 0x100000u) - 1;
    };
    EXPECT_EQ(shown(0, 0), 0);  // a velocity of exactly 0 faces left
    EXPECT_EQ(shown(1, 0), 4);
    EXPECT_EQ(shown(1, 200), 5);
    EXPECT_EQ(shown(-2, 0), 1);  // reversing switches halves without resetting the counter
    kind.ReleaseStrip();
}

// The walker's kind cuts the sheet's top row alone, so a sheet of one row serves it; one a pixel
// short of the row is refused.
TEST_F(Manager, TheWalkersKindTakesASheetOfOneRow) {
    const auto folder = std::filesystem::temp_directory_path() / "vorn7-one-row";
    std::filesystem::create_directories(folder);
    data_path::SetLevelFolder(folder.string());
    for (const auto& [width, height, loads] :
         {std::tuple{520, 65, true}, std::tuple{519, 65, false}, std::tuple{520, 64, false}}) {
        bmp_writer::Write(
            folder / kWalkerSheetFile,
            bmp_writer::Encode(width, height, bmp_writer::Format::Rgb24,
                               [](int x, int) { return x % 65 == 0 ? 0xBDC6FFu : 0x336699u; }));
        WalkerSpriteKind kind;
        kind.CreateStrip();
        EXPECT_EQ(kind.LoadSheet(), loads) << width << " x " << height;
        if (loads) {
            EXPECT_TRUE(kind.LoadFrames());
        }
        kind.ReleaseStrip();
    }
    data_path::SetLevelFolder("");
    std::filesystem::remove_all(folder);
}

}  // namespace
