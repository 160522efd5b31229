// Where a picture keeps its equal cells, and the check that a loaded picture holds them all. The
// layouts themselves are stated once, beside their pictures' names (the tiles' and the blocks'
// in world/map_types.h, the walker sheet's in actors/sprite_constants.h); the game cuts its
// surfaces by them, the asset generator draws by them and the level tool tells Tiled of them.
#pragma once

#include <cstdint>

class Bitmap;

// columns x rows cells of cellWidth x cellHeight, the first at (left, top), each the next's
// pitchX to the left and pitchY above.
struct PictureGrid {
    std::int32_t left, top, cellWidth, cellHeight, pitchX, pitchY, columns, rows;

    constexpr std::int32_t X(std::int32_t column) const { return left + pitchX * column; }
    constexpr std::int32_t Y(std::int32_t row) const { return top + pitchY * row; }
    // The smallest picture that holds every cell.
    constexpr std::int32_t CoverWidth() const { return X(columns - 1) + cellWidth; }
    constexpr std::int32_t CoverHeight() const { return Y(rows - 1) + cellHeight; }
};

// 1 when the loaded picture holds every cell of its grid; otherwise notes the failure for the
// file, naming both sizes, and returns 0. Called where each picture is loaded.
std::int32_t CheckPictureCovers(const Bitmap& picture, const char* fileName,
                                const PictureGrid& grid);
