// Where the world's layers land on the surface for a view centre, in every resolution.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "world_fixture.h"

namespace {

struct ModeCase {
    int width, height;
};

void SetMode(int w, int h) {
    DisplayMode.width = w;
    DisplayMode.height = h;
}

TEST(ViewGeometry, ClampKeepsTheViewInsideTheWorld) {
    auto world = std::make_unique<World>();
    SetMode(800, 600);
    auto c = world->ClampViewCentre(0, 0);
    EXPECT_EQ(c.x, 400);
    EXPECT_EQ(c.y, 300);
    c = world->ClampViewCentre(8192, 8192);
    EXPECT_EQ(c.x, 7792);
    EXPECT_EQ(c.y, 7892);
    c = world->ClampViewCentre(4100, 4100);
    EXPECT_EQ(c.x, 4100);
    SetMode(640, 480);
    c = world->ClampViewCentre(INT32_MAX, INT32_MIN);
    EXPECT_EQ(c.x, 8192 - 320);
    EXPECT_EQ(c.y, 240);
}

TEST(ViewGeometry, BackgroundParallaxOffsets) {
    auto world = std::make_unique<World>();
    SetMode(800, 600);
    auto o = world->BackgroundOffset(4096, 4096);
    EXPECT_EQ(o.x, 112);
    EXPECT_EQ(o.y, 84);
    o = world->BackgroundOffset(7792, 7892);  // the clamped bottom-right corner
    EXPECT_EQ(o.x, 224);
    EXPECT_EQ(o.y, 168);
    o = world->BackgroundOffset(400, 300);
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(o.y, 0);
    SetMode(640, 480);
    o = world->BackgroundOffset(4096, 4096);
    EXPECT_EQ(o.x, 192);
    EXPECT_EQ(o.y, 144);
    SetMode(1024, 768);
    o = world->BackgroundOffset(4096, 4096);
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(o.y, 0);
}

// The level guide's rule: block cell (c, r) is centred in the view when the view centre is at
// (32c + 16 + 3w/8, 32r + 16 + 3h/8) in a w x h mode; (32c + 316, 32r + 241) at 800 x 600.
TEST(ViewGeometry, ABlockCellIsCentredWhereTheLevelGuideSays) {
    auto world = std::make_unique<World>();
    const struct {
        int width, height, column, row;
    } cases[] = {{800, 600, 3, 2}, {800, 600, 100, 150}, {640, 480, 40, 7}, {1024, 768, 200, 190}};
    for (const auto& c : cases) {
        SetMode(c.width, c.height);
        const int x = 32 * c.column + 16 + 3 * c.width / 8;
        const int y = 32 * c.row + 16 + 3 * c.height / 8;
        ASSERT_EQ(world->ClampViewCentre(x, y).x, x);  // the rule is for centres not clamped
        const ViewRectangle b = world->BlockLayerView(x, y);
        EXPECT_EQ(128 * c.column - b.left, (c.width - 128) / 2) << c.column;
        EXPECT_EQ(128 * c.row - b.top, (c.height - 128) / 2) << c.row;
    }
}

TEST(ViewGeometry, TileAndBlockRectanglesAndCellsVisitedPerMode) {
    auto world = std::make_unique<World>();
    SetMode(800, 600);
    const ViewRectangle v = world->TileLayerView(4100, 4100);
    EXPECT_EQ(v.left, 3700);
    EXPECT_EQ(v.top, 3800);
    EXPECT_EQ(v.right, 4531);
    EXPECT_EQ(v.bottom, 4431);
    const ViewRectangle b = world->BlockLayerView(4100, 4100);
    EXPECT_EQ(b.left, 14800);
    EXPECT_EQ(b.top, 15200);
    EXPECT_EQ(-(b.left % 128), -80);
    EXPECT_EQ(-(b.top % 128), -96);
    struct Expect {
        int w, h, columns, rows, blockColumns, blockRows;
    };
    for (const Expect e : {Expect{640, 480, 21, 16, 6, 5}, Expect{800, 600, 26, 20, 8, 6},
                           Expect{1024, 768, 33, 25, 9, 7}}) {
        SetMode(e.w, e.h);
        const ViewRectangle t = world->TileLayerView(4096, 4096);
        EXPECT_EQ((t.right - t.left) / 32 + 1, e.columns) << e.w;
        EXPECT_EQ((t.bottom - t.top) / 32 + 1, e.rows) << e.w;
        const ViewRectangle k = world->BlockLayerView(4096, 4096);
        EXPECT_EQ((k.right - k.left) / 128 + 1, e.blockColumns) << e.w;
        EXPECT_EQ((k.bottom - k.top) / 128 + 1, e.blockRows) << e.w;
        // At the far corner the block layer stays inside its 32768-pixel grid.
        const CellPosition far = world->ClampViewCentre(8192, 8192);
        EXPECT_LT(world->BlockLayerView(far.x, far.y).right, 32768);
    }
}

class TileDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(800, 600, 32));
        // Slot 3 is solid along its left column and its top row: a grid of lines.
        ASSERT_TRUE(world_fixture::LoadTiles(
            [](int slot, int x, int y) { return slot == 3 && (x == 0 || y == 0); }));
        world_fixture::FillGrid(TheWorld.TileGridMutable(), 3);
        display_fixture::Fill(BackSurface, kBackground);
    }
    void TearDown() override { display_fixture::Close(); }
    static constexpr std::uint32_t kBackground = 0x000000;
    bool Ink(int x, int y) { return display_fixture::RawAt(BackSurface, x, y) != kBackground; }
};

TEST_F(TileDrawing, FirstColumnAndRowLandWhereTheCentreSays) {
    TheWorld.DrawTileLayer(4100, 4100, BackSurface);
    // Left = 3700 lies 20 pixels into its cell: the next cell's left column is at x = 12.
    EXPECT_TRUE(Ink(12, 3));
    EXPECT_FALSE(Ink(11, 3));
    EXPECT_TRUE(Ink(44, 3));
    // Top = 3800 lies 24 pixels into its cell: the next row line is at y = 8.
    EXPECT_TRUE(Ink(3, 8));
    EXPECT_FALSE(Ink(3, 7));
    EXPECT_TRUE(Ink(799, 8));  // the extension by 31 reaches the right edge
}

TEST_F(TileDrawing, EmptyAndOutOfRangeCellsDrawNothingAndTheWorldEdgeIsSafe) {
    world_fixture::FillGrid(TheWorld.TileGridMutable(), -1);
    TheWorld.TileGridMutable().At(200, 200).tileIndex = 64;
    TheWorld.DrawTileLayer(6420, 6420, BackSurface);
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7) ASSERT_FALSE(Ink(x, y));
    // At the far corner the layer reaches column and row 256, which it skips.
    const CellPosition c = TheWorld.ClampViewCentre(8192, 8192);
    world_fixture::FillGrid(TheWorld.TileGridMutable(), 3);
    EXPECT_EQ(TheWorld.DrawTileLayer(c.x, c.y, BackSurface), 1);
    EXPECT_TRUE(Ink(0, 0));
}

}  // namespace
