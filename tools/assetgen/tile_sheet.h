// The tile sheet: the 64 tiles in their layout (world/map_types.h). Called by the generator's
// main for gfx/tiles.bmp.
#pragma once

#include "canvas.h"

namespace assetgen {

Canvas MakeTileSheet();  // the 64 tiles, with a border all round

}  // namespace assetgen
