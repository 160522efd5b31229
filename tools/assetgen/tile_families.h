// The tile sheet's families, each drawing the slots of its kind (tile_slots.h) and nothing for
// any other slot. Called by the tile sheet (tile_sheet.cpp), which asks each in turn.
#pragma once

#include <optional>

#include "canvas.h"

namespace assetgen {

// The grass and dirt of the surface: flat, sloped, ramped and edged (ground_tiles.cpp).
std::optional<Canvas> GroundTile(int slot);
// Stone: blocks, faces, slopes, the cave ceiling, stalactites, overhangs (stone_tiles.cpp).
std::optional<Canvas> StoneTile(int slot);
// Brick and pillars: walls, arches, windows (masonry_tiles.cpp).
std::optional<Canvas> MasonryTile(int slot);
// What the walker crosses: planks, ledges, floating islands, girders (platform_tiles.cpp).
std::optional<Canvas> PlatformTile(int slot);
// Props: crates, fences, barrels, the sign post, trees, bushes, boulders (prop_tiles.cpp).
std::optional<Canvas> PropTile(int slot);
// Ice, sand, mushrooms, crystals, stairs, thin grass and ore (nature_tiles.cpp).
std::optional<Canvas> NatureTile(int slot);

}  // namespace assetgen
