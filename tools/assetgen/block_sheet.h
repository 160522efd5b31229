// The foreground blocks: vines, a fern bush and a lantern, in the block sheet's layout
// (world/map_types.h). Called by the generator's main for gfx/badguysprites2.bmp.
#pragma once

#include "canvas.h"

namespace assetgen {

Canvas MakeBlockSheet();  // the three blocks

}  // namespace assetgen
