// The background: a town at dusk under the ridges, in the background picture's layout
// (world/map_types.h). Called by the generator's main for gfx/bigben.bmp.
#pragma once

#include "canvas.h"

namespace assetgen {

Canvas MakeBackground();  // opaque

}  // namespace assetgen
