// How a tile is drawn: a shape (which pixels are solid) and a paint (each solid pixel's colour),
// and the paints and patterns the tile families share. Used by the tile families and the tile
// sheet.
#pragma once

#include <functional>

#include "canvas.h"
#include "palette.h"
#include "world/map_types.h"

namespace assetgen {

constexpr int kTile = kTileSheet.cellWidth;

using Solid = std::function<bool(int, int)>;
using Paint = std::function<Colour(int x, int y, int depth)>;

// Paints a tile: depth is how far a pixel lies below the first solid pixel of its column.
// Solid pixels next to a see-through one on the sides or below are darkened, for an outline.
Canvas MakeTile(const Solid& solid, const Paint& paint);

// The shape of a tile solid all over.
bool Full(int, int);
// A material's texture, ignoring the depth.
Paint Plain(const Material& m, int salt);
// Grass over dirt: a bright grass band along the surface, tufts hanging into the dirt.
Paint Grassy(int salt);
// Moss over a material: a green top, then the material's light edge and texture.
Paint Mossy(const Material& m, int salt);

// Bricks: 16 x 8 with mortar lines, alternate rows offset by half a brick.
Colour BrickAt(int x, int y, int salt);
// Large stone blocks with chiselled seams.
Colour StoneBlockAt(int x, int y, int salt);
// Planks 8 high with dark seams and knots.
Colour WoodAt(int x, int y, int salt);

}  // namespace assetgen
