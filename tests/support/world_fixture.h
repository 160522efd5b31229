// Builds the World's tiles from a picture made in the test, so collision and drawing can be
// checked against known solid pixels.
#pragma once

#include <functional>

#include "world/world.h"

namespace world_fixture {

using SolidAt = std::function<bool(int slot, int x, int y)>;

// Requires an open display. Creates the World's resources if needed, writes a tile sheet in
// which pixel (x, y) of slot s is solid (dark) where solid(s, x, y) holds and see-through
// elsewhere, and loads all 64 slots with masks. Returns false when the sheet does not load.
bool LoadTiles(const SolidAt& solid);

// Sets every cell of a grid to one tile index.
void FillGrid(TileGrid& grid, int tileIndex);

}  // namespace world_fixture
