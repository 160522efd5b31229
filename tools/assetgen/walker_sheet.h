// The walker's sheet, in its layout (actors/sprite_constants.h). Called by the generator's main
// for vornsprites24bit.bmp and for the icon, which takes the walker's face from it.
#pragma once

#include "canvas.h"

namespace assetgen {

Canvas MakeWalkerSheet();  // 8 walk frames on top, 7 jump and turn frames below

}  // namespace assetgen
