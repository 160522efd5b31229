#include "level_grid.h"

#include "world/level_error.h"
#include "world/world.h"

namespace level_tool {

int TiledNumberOf(const Sheet& sheet, int gameIndex) {
    if (gameIndex < 0 || gameIndex >= sheet.count) return -1;
    if (sheet.tileSize != kTiles.tileSize) return gameIndex;  // blocks: one row, same order
    const int column = gameIndex / 4, row = gameIndex % 4;
    return row * sheet.columns + column;
}

int GameIndexOf(const Sheet& sheet, int tiledNumber) {
    if (sheet.tileSize != kTiles.tileSize) return tiledNumber;
    const int row = tiledNumber / sheet.columns, column = tiledNumber % sheet.columns;
    return column * 4 + row;
}

bool ReadLevel(const std::string& path, Grid& grid, std::string& reason) {
    // The game's own reader, so the tools see exactly what the game sees.
    static TileGrid cells;  // 768 KiB: not on the stack
    try {
        World::ReadLevelFile(path.c_str(), cells);
    } catch (const LevelError& e) {
        reason = e.what();
        return false;
    }
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column)
            grid.At(column, row) = static_cast<std::int16_t>(cells.At(column, row).tileIndex);
    return true;
}

std::string LevelText(const Grid& grid) {
    std::string text;
    text.reserve(kSide * (kSide + 1));
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const int index = grid.At(column, row);
            text += static_cast<char>(index < 0 ? '<' : index + 61);
        }
        text += '\n';
    }
    return text;
}

}  // namespace level_tool
