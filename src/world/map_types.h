// Value types of the world: grid cells, grids, the view handed to the actors, scan results, and
// the World's pictures with their layouts. Used by the world, the actors' scans and the tools.
#pragma once

#include <array>
#include <cstdint>

#include "graphics/picture_layout.h"

struct MapCell {
    std::int32_t reserved0;
    std::int32_t tileIndex;  // negative: empty
    std::int32_t reserved1;
};

constexpr std::int32_t kGridSide = 256;
// The two level files, as the data folder names them: the tile grid and the block grid.
constexpr const char* kTileLevelFile = "x2.lvl";
constexpr const char* kBlockLevelFile = "x2fg.lvl";
// The World's pictures, as the data folder names them.
constexpr const char* kTilePictureFile = "gfx/tiles.bmp";
constexpr const char* kBackgroundPictureFile = "gfx/bigben.bmp";
constexpr const char* kBlockPictureFile = "gfx/badguysprites2.bmp";
// Their layouts: 16 columns of 4 tiles of 32 from (1, 1), one pixel apart (tile K x 4 + R is
// column K, row R); the background whole; 3 blocks of 128 from (1, 1), two pixels apart.
constexpr PictureGrid kTileSheet{1, 1, 32, 32, 33, 33, 16, 4};
constexpr PictureGrid kBackgroundPicture{0, 0, 1024, 768, 0, 0, 1, 1};
constexpr PictureGrid kBlockSheet{1, 1, 128, 128, 130, 0, 3, 1};
// The shipped tile sheet's size: a border of its margin on every side, as Tiled reads a margin.
constexpr std::int32_t kTileSheetWidth = kTileSheet.CoverWidth() + kTileSheet.left;
constexpr std::int32_t kTileSheetHeight = kTileSheet.CoverHeight() + kTileSheet.top;

// The world's side in pixels: 256 tile cells of 32 (the camera is clamped to 0 ... kWorldSize).
constexpr std::int32_t kWorldSize = 8192;

// 256 x 256 cells, column-major: the cell of column X and row Y is element X * 256 + Y.
struct TileGrid {
    std::array<MapCell, kGridSide * kGridSide> cells;
    MapCell& At(std::int32_t column, std::int32_t row) {
        return cells[static_cast<std::size_t>(column * kGridSide + row)];
    }
    const MapCell& At(std::int32_t column, std::int32_t row) const {
        return cells[static_cast<std::size_t>(column * kGridSide + row)];
    }
};

struct ViewRectangle {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct ScanHit {
    bool found;
    std::int32_t x;
    std::int32_t y;
};

struct CellPosition {
    std::int32_t x;
    std::int32_t y;
};
