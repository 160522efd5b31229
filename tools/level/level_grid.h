// A level file's grid as the level tools see it: 256 x 256 tile indices read and written in the
// game's text format (character code minus 61), and the two tile sheets' numbering.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "world/map_types.h"

namespace level_tool {

constexpr int kSide = kGridSide;

struct Grid {
    std::array<std::int16_t, kSide * kSide> index{};  // row-major here: [row * 256 + column]
    std::int16_t& At(int column, int row) { return index[row * kSide + column]; }
    std::int16_t At(int column, int row) const { return index[row * kSide + column]; }
};

// The two pictures as Tiled's tilesets see them, from the game's layouts. The game numbers a
// tile K x 4 + R for sheet column K, row R; Tiled numbers the tiles of a sheet row by row.
struct Sheet {
    const char* name;     // the tileset's name
    const char* image;    // the picture, relative to the data folder
    const char* tileset;  // the tileset's file, beside the level
    int tileSize, margin, spacing, columns, count;
    int imageWidth, imageHeight;  // the shipped picture's size
    int cellsPerScreenTile;       // the grid's cell size in the game's world, in pixels
};
constexpr Sheet SheetOf(const char* name, const char* image, const char* tileset,
                        const PictureGrid& g, int imageWidth, int imageHeight) {
    return {name,       image,
            tileset,    g.cellWidth,
            g.left,     g.pitchX - g.cellWidth,
            g.columns,  g.columns * g.rows,
            imageWidth, imageHeight,
            g.cellWidth};
}
// The sheets' pictures as shipped: the tile sheet with its border, the block sheet ending at
// its last block.
constexpr Sheet kTiles =
    SheetOf("tiles", kTilePictureFile, "tiles.tsx", kTileSheet, kTileSheetWidth, kTileSheetHeight);
constexpr Sheet kBlocks = SheetOf("blocks", kBlockPictureFile, "blocks.tsx", kBlockSheet,
                                  kBlockSheet.CoverWidth(), kBlockSheet.CoverHeight());

// The Tiled tile number (0-based, within its tileset) of a game index, or -1 for an index the
// game treats as empty.
int TiledNumberOf(const Sheet& sheet, int gameIndex);
// The game index of a Tiled tile number (0-based).
int GameIndexOf(const Sheet& sheet, int tiledNumber);

// Reads a level file as the game does (a short line's missing cells are empty). Returns false
// with a reason.
bool ReadLevel(const std::string& path, Grid& grid, std::string& reason);
// The grid in the game's text format: 256 lines of 256 characters, empty cells as "<".
std::string LevelText(const Grid& grid);

}  // namespace level_tool
