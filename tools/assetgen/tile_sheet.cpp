#include "tile_sheet.h"

#include <optional>
#include <utility>

#include "palette.h"
#include "tile_families.h"
#include "tile_painting.h"
#include "world/map_types.h"

namespace assetgen {
namespace {

// Slot K x 4 + R of the sheet; bedrock for the bedrock slot and any slot without a tile of its own.
Canvas DrawTile(int slot) {
    for (auto family : {GroundTile, StoneTile, MasonryTile, PlatformTile, PropTile, NatureTile})
        if (std::optional<Canvas> tile = family(slot)) return *std::move(tile);
    return MakeTile(Full, Plain(mBedrock, 65));
}

}  // namespace

Canvas MakeTileSheet() {
    const PictureGrid& g = kTileSheet;
    Canvas sheet(kTileSheetWidth, kTileSheetHeight, Rgb(28, 26, 34));
    for (int k = 0; k < g.columns; ++k)
        for (int r = 0; r < g.rows; ++r) {
            const Canvas tile = DrawTile(k * g.rows + r);
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) sheet.Set(g.X(k) + x, g.Y(r) + y, tile.Get(x, y));
        }
    return sheet;
}

}  // namespace assetgen
