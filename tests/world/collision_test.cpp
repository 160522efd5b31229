// Pixel-exact collision queries over tiles with known solid pixels.
#include <gtest/gtest.h>

#include <climits>

#include "display_fixture.h"
#include "world_fixture.h"

namespace {

constexpr int kClear = 4;  // a tile with no solid pixel
constexpr int kFull = 5;

bool Solid(int slot, int x, int y) {
    switch (slot) {
        case 1:
            return (x == 8 && y == 10) || (x == 4 && y == 11);
        case 2:
            return (x == 10 && y == 20) || (x == 12 && y == 30);
        case 3:
            return x == 0 || y == 0;
        case kFull:
            return true;
        default:
            return false;
    }
}

class Collision : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(800, 600, 32));
        ASSERT_TRUE(world_fixture::LoadTiles(Solid));
        world_fixture::FillGrid(TheWorld.TileGridMutable(), -1);
    }
    void TearDown() override { display_fixture::Close(); }
    void SetCell(int column, int row, int tile) {
        TheWorld.TileGridMutable().At(column, row).tileIndex = tile;
    }
};

TEST_F(Collision, SolidPixelFollowsTheMaskAndIsClearOutsideTheWorld) {
    SetCell(1, 0, 1);
    EXPECT_EQ(TheWorld.SolidPixelAt(40, 10), 1);
    EXPECT_EQ(TheWorld.SolidPixelAt(41, 10), 0);
    EXPECT_EQ(TheWorld.SolidPixelAt(100, 100), 0);  // an empty cell
    world_fixture::FillGrid(TheWorld.TileGridMutable(), kFull);
    EXPECT_EQ(TheWorld.SolidPixelAt(8191, 8191), 1);
    for (auto [x, y] :
         {std::pair{8192, 0}, {0, 8192}, {8192, 8192}, {-1, 5}, {5, -1}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(TheWorld.SolidPixelAt(x, y), 0) << x << "," << y;
    const ScanHit single = TheWorld.ScanRows(100, 100, 0, 0);
    EXPECT_TRUE(single.found);
    EXPECT_EQ(single.x, 100);
    EXPECT_EQ(single.y, 100);
}

TEST_F(Collision, RowsComeBeforeColumnsAndColumnScansPickTheirOwnFirstColumn) {
    SetCell(1, 0, 1);
    const ScanHit rows = TheWorld.ScanRows(40, 10, 8, 2);
    ASSERT_TRUE(rows.found);
    EXPECT_EQ(rows.x, 40);
    EXPECT_EQ(rows.y, 10);
    SetCell(0, 0, 2);
    const ScanHit leftward = TheWorld.ScanColumnsLeftward(11, 25, 3, 10);
    const ScanHit rightward = TheWorld.ScanColumnsRightward(11, 25, 3, 10);
    ASSERT_TRUE(leftward.found && rightward.found);
    EXPECT_EQ(leftward.x, 12);
    EXPECT_EQ(leftward.y, 30);
    EXPECT_EQ(rightward.x, 10);
    EXPECT_EQ(rightward.y, 20);
}

TEST_F(Collision, TheFirstPixelOfEveryFollowingCellIsExamined) {
    // Columns 60 to 70: a clear tile from 32 to 63, then a tile solid in its column 0 (x = 64).
    SetCell(1, 0, kClear);
    SetCell(2, 0, 3);
    const ScanHit afterTested = TheWorld.ScanRows(65, 5, 5, 0);
    ASSERT_TRUE(afterTested.found);
    EXPECT_EQ(afterTested.x, 64);
    SetCell(1, 0, -1);
    const ScanHit afterEmpty = TheWorld.ScanRows(65, 5, 5, 0);
    ASSERT_TRUE(afterEmpty.found);
    EXPECT_EQ(afterEmpty.x, 64);
    // Rows 90 to 100 of a column: the tile below starts at row 96 with a solid row 0.
    SetCell(0, 2, kClear);
    SetCell(0, 3, 3);
    const ScanHit column = TheWorld.ScanColumnsRightward(5, 95, 0, 5);
    ASSERT_TRUE(column.found);
    EXPECT_EQ(column.y, 96);
}

TEST_F(Collision, ScansStopAtTheirEndsAndRejectNegativeExtents) {
    SetCell(2, 0, 3);
    EXPECT_FALSE(TheWorld.ScanRows(60, 5, 3, 0).found);  // ends at 63, before the solid 64
    EXPECT_FALSE(TheWorld.ScanRows(64, 5, -1, 0).found);
    EXPECT_FALSE(TheWorld.ScanColumnsLeftward(64, 5, 0, -1).found);
    EXPECT_FALSE(TheWorld.ScanRows(4000, 4000, 100, 100).found);  // all empty
}

TEST_F(Collision, ExtremeArgumentsAreSafeAndAnswerOnlyForTheWorld) {
    world_fixture::FillGrid(TheWorld.TileGridMutable(), kFull);
    const ScanHit hit = TheWorld.ScanRows(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_FALSE(hit.found);  // the rectangle ends at -1: nothing in the world
    const ScanHit wide = TheWorld.ScanColumnsLeftward(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    ASSERT_TRUE(wide.found);
    EXPECT_EQ(wide.x, 8191);
    EXPECT_EQ(wide.y, 0);
    const ScanHit right = TheWorld.ScanColumnsRightward(0, 0, INT_MAX, INT_MAX);
    ASSERT_TRUE(right.found);
    EXPECT_EQ(right.x, 0);
    EXPECT_FALSE(TheWorld.ScanRows(9000, 9000, 500, 500).found);
}

}  // namespace
