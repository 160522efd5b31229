// Pixel-exact collision: a world pixel is solid when the tile over it has a solid mask byte
// there. The scans pass over a whole empty cell with one look-up and test every other pixel
// once, in the scan's order.
#include <algorithm>

#include "world/world.h"

namespace {

constexpr std::int64_t kWorldLast = 8191;  // pixels outside 0..8191 are never solid

enum class Axis { Row, Column };

struct Range {
    std::int64_t first;
    std::int64_t last;  // empty when last < first
};

// The part of centre - half .. centre + half inside the world, in 64 bits.
Range Span(std::int32_t centre, std::int32_t half) {
    const std::int64_t lo = static_cast<std::int64_t>(centre) - half;
    const std::int64_t hi = static_cast<std::int64_t>(centre) + half;
    return {std::max<std::int64_t>(lo, 0), std::min<std::int64_t>(hi, kWorldLast)};
}

}  // namespace

std::uint8_t World::SolidPixelAt(std::int32_t x, std::int32_t y) const {
    const MapCell cell = CellAt(x, y);
    if (cell.tileIndex < 0) return 0;
    const CellPosition offset = CellOffset(x, y);
    return tileBank_->MaskAt(cell.tileIndex, offset.x, offset.y);
}

namespace {

// Walks one line (a row at fixed y, or a column at fixed x) from first to last.
template <Axis kAxis>
bool ScanLine(const World& world, const TileBank& bank, std::int32_t fixed, Range line,
              ScanHit& hit) {
    std::int64_t p = line.first;
    while (p <= line.last) {
        const auto pos = static_cast<std::int32_t>(p);
        const std::int32_t x = kAxis == Axis::Row ? pos : fixed;
        const std::int32_t y = kAxis == Axis::Row ? fixed : pos;
        const MapCell cell = world.CellAt(x, y);
        const CellPosition offset = world.CellOffset(x, y);
        const std::int32_t q = kAxis == Axis::Row ? offset.x : offset.y;
        if (cell.tileIndex < 0) {
            p += kTileSize - q;
            continue;
        }
        for (std::int32_t o = q; o < kTileSize && p <= line.last; ++o, ++p) {
            const std::uint8_t solid = kAxis == Axis::Row
                                           ? bank.MaskAt(cell.tileIndex, o, offset.y)
                                           : bank.MaskAt(cell.tileIndex, offset.x, o);
            if (solid != 0) {
                const auto at = static_cast<std::int32_t>(p);
                hit = {true, kAxis == Axis::Row ? at : fixed, kAxis == Axis::Row ? fixed : at};
                return true;
            }
        }
    }
    return false;
}

}  // namespace

ScanHit World::ScanRows(std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) const {
    ScanHit hit{false, 0, 0};
    if (rx < 0 || ry < 0) return hit;
    const Range rows = Span(y, ry), columns = Span(x, rx);
    for (std::int64_t row = rows.first; row <= rows.last; ++row)
        if (ScanLine<Axis::Row>(*this, *tileBank_, static_cast<std::int32_t>(row), columns, hit))
            return hit;
    return hit;
}

namespace {

// Columns from one end of the rectangle to the other, each column top to bottom.
ScanHit ScanColumns(const World& world, const TileBank& bank, std::int32_t x, std::int32_t y,
                    std::int32_t rx, std::int32_t ry, bool leftward) {
    ScanHit hit{false, 0, 0};
    if (rx < 0 || ry < 0) return hit;
    const Range columns = Span(x, rx), rows = Span(y, ry);
    const std::int64_t step = leftward ? -1 : 1;
    for (std::int64_t column = leftward ? columns.last : columns.first;
         column >= columns.first && column <= columns.last; column += step)
        if (ScanLine<Axis::Column>(world, bank, static_cast<std::int32_t>(column), rows, hit))
            return hit;
    return hit;
}

}  // namespace

ScanHit World::ScanColumnsLeftward(std::int32_t x, std::int32_t y, std::int32_t rx,
                                   std::int32_t ry) const {
    return ScanColumns(*this, *tileBank_, x, y, rx, ry, true);
}

ScanHit World::ScanColumnsRightward(std::int32_t x, std::int32_t y, std::int32_t rx,
                                    std::int32_t ry) const {
    return ScanColumns(*this, *tileBank_, x, y, rx, ry, false);
}
