// The walk over the cells of a grid that a view rectangle touches, column by column, with each
// cell's place relative to the view's top-left corner. The game's tile and block layers and the
// level tool's picture of the world draw through it, so both place and choose cells alike.
#pragma once

#include <cstdint>

#include "world/map_types.h"

// Calls visit(worldX, worldY, screenX, screenY) for every cellSize cell of the rectangle, the
// world point being the view's own coordinate stepped by whole cells.
template <typename Visit>
inline void ForEachCellInView(const ViewRectangle& v, std::int32_t cellSize, Visit visit) {
    std::int32_t sx = -(v.left % cellSize);
    for (std::int32_t wx = v.left; wx <= v.right; wx += cellSize, sx += cellSize) {
        std::int32_t sy = -(v.top % cellSize);
        for (std::int32_t wy = v.top; wy <= v.bottom; wy += cellSize, sy += cellSize)
            visit(wx, wy, sx, sy);
    }
}

// The block layer moves at this many times the camera's speed, over a grid of the same cells.
constexpr std::int32_t kBlockLayerSpeed = 4;

// A block cell is drawn when its index names one of the block sheet's pictures.
constexpr bool IsDrawnBlock(std::int32_t index) {
    return index >= 0 && index < kBlockSheet.columns * kBlockSheet.rows;
}
