// Tile slots: set up once, animate per draw, keep their masks through releases, and mark exactly
// the pixels a keyed draw skips as clear, in every depth.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "bmp_writer.h"
#include "display/display.h"
#include "display_fixture.h"
#include "graphics/bitmap.h"
#include "graphics/tile_bank.h"
#include "platform/seams/test_seams.h"

namespace {

// A 64 x 32 sheet: left half frame A (key with a dark diagonal), right half frame B (all dark).
bmp_writer::Pixel SheetAt(int x, int y) {
    if (x >= 32) return 0x303030;
    if (x == y) return 0x402010;
    if (x == 5 && y == 2) return 0xBDC6FE;  // a near neighbour of the key: solid
    return 0xBDC6FF;
}

class Tiles : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(640, 480, GetParam()));
        const auto path = std::filesystem::temp_directory_path() /
                          ("vorn7-sheet-" + std::to_string(::getpid()) + ".bmp");
        bmp_writer::Write(path, bmp_writer::Encode(64, 32, bmp_writer::Format::Rgb24, SheetAt));
        ASSERT_EQ(sheet.Load(path.c_str()), 1);
        std::filesystem::remove(path);
    }
    void TearDown() override { display_fixture::Close(); }
    Bitmap sheet;
};

TEST_P(Tiles, MaskIsClearExactlyWhereTheKeyedDrawSkips) {
    TileBank bank(4, 32, 32);
    EXPECT_EQ(bank.LoadTile(1, sheet, 0, 0, 0, true, 1), 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(bank.MaskAt(1, x, y), (x == y || (x == 5 && y == 2)) ? 1 : 0)
                << x << "," << y << " at " << GetParam() << " bits";
    // In a 32-wide mask, pixel (5, 2) is byte 69.
    EXPECT_EQ(bank.Slot(1).Mask()->At(5, 2), 1);
    bank.Release();
}

TEST_P(Tiles, MasksSurviveReleaseAndFollowTheNewModesKey) {
    TileBank bank(3, 32, 32);
    bank.LoadTile(0, sheet, 0, 0, 0, true, 1);
    bank.LoadTile(2, sheet, 0, 32, 0, true, 1);
    const int surfaces = test_seams::LiveSurfaceCount();
    bank.Release();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces - 2);
    EXPECT_EQ(bank.MaskAt(0, 3, 3), 1);
    EXPECT_EQ(bank.MaskAt(0, 4, 3), 0);
    EXPECT_EQ(bank.MaskAt(2, 4, 3), 1);
    EXPECT_FALSE(bank.Slot(1).HasSurfaces());  // never loaded: never touched
    bank.CreateSurfaces();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), surfaces);
    EXPECT_FALSE(bank.Slot(1).HasSurfaces());
    bank.LoadTile(0, sheet, 0, 0, 0, true, 1);
    EXPECT_EQ(bank.MaskAt(0, 4, 3), 0);
    bank.Release();
}

INSTANTIATE_TEST_SUITE_P(AllDepths, Tiles, ::testing::Values(8, 16, 24, 32));

class Slots : public Tiles {};

TEST_P(Slots, FirstLoadWinsAndMasksComeFromFrameZero) {
    TileBank bank(2, 32, 32);
    bank.LoadTile(0, sheet, 0, 0, 0, true, 2);
    bank.LoadTile(0, sheet, 1, 32, 0, false, 5);  // another mask choice and count: ignored
    EXPECT_EQ(bank.Slot(0).FrameCount(), 2);
    EXPECT_TRUE(bank.Slot(0).HasMask());
    EXPECT_EQ(bank.MaskAt(0, 4, 3), 0);  // still frame 0's diagonal, not frame 1's solid fill
    // Frames shown in turn, one per draw: 0, 1, 0.
    std::vector<int> shown;
    for (int i = 0; i < 3; ++i) {
        shown.push_back(bank.Slot(0).CurrentFrame());
        bank.Draw(0, 0, 0, BackSurface);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 0}));
    bank.LoadTile(1, sheet, 0, 0, 0, false, 1);
    bank.Draw(1, 0, 0, BackSurface);
    EXPECT_EQ(bank.Slot(1).CurrentFrame(), 0);
    bank.Release();
}

TEST_P(Slots, RestoreStopsAtTheFirstFailingLoadedSlot) {
    TileBank bank(3, 32, 32);
    bank.LoadTile(0, sheet, 0, 0, 0, false, 1);
    bank.LoadTile(2, sheet, 0, 0, 0, false, 1);
    test_seams::LoseAllSurfaces();
    test_seams::InjectedFaults().failRestoreNumber = 1;
    EXPECT_EQ(bank.Restore(), 0);
    EXPECT_EQ(bank.Slot(2).Strip()->FrameSurface(0)->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(bank.Restore(), 1);
    TileBank empty(2, 32, 32);
    EXPECT_EQ(empty.Restore(), 1);
    bank.Release();
}

TEST_P(Slots, AFailedMaskBuildLeavesTheMaskAsItWas) {
    TileBank bank(1, 32, 32);
    test_seams::InjectedFaults().lockStillDrawing = 3;  // retried, then succeeds
    bank.LoadTile(0, sheet, 0, 0, 0, true, 1);
    EXPECT_EQ(bank.MaskAt(0, 7, 7), 1);
    test_seams::LoseAllSurfaces();  // a lost frame cannot be read back
    bank.LoadTile(0, sheet, 0, 32, 0, true, 1);
    EXPECT_EQ(bank.MaskAt(0, 7, 6), 0);
    bank.Release();
}

INSTANTIATE_TEST_SUITE_P(TwoDepths, Slots, ::testing::Values(8, 32));

}  // namespace
