// The player's sheet and the goal, drawn in code by their layouts (actors/sprite_constants.h).
#pragma once

#include "canvas.h"

namespace assetgen {

Canvas MakePlayerSheet();  // a row facing right, then the same row mirrored
Canvas MakeGoalPicture();  // a chequered flag on a pole, on a stone base

}  // namespace assetgen
