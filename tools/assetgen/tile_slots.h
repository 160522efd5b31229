// The tile sheet's slots, by kind of tile: what the level designer (levels.cpp, play_level.cpp)
// places, and what the tile families draw.
#pragma once

namespace assetgen {

// What the level designer needs to know of the tile sheet: the slot of each kind of tile.
enum TileSlot : int {
    kGrassTop = 0,
    kDirt = 1,
    kGrassSlopeUp = 2,    // 1:1, rising to the right
    kGrassSlopeDown = 3,  // 1:1, falling to the right
    kGrassRampUpLow = 4,  // 1:2, rising to the right: lower half
    kGrassRampUpHigh = 5,
    kGrassRampDownHigh = 6,  // 1:2, falling to the right: upper half
    kGrassRampDownLow = 7,
    kGrassEdgeLeft = 8,
    kGrassEdgeRight = 9,
    kDirtStones = 10,
    kDirtDeep = 11,
    kStone = 12,
    kStoneTop = 13,
    kStoneFaceLeft = 14,
    kStoneFaceRight = 15,
    kStoneSlopeUp = 16,
    kStoneSlopeDown = 17,
    kCaveCeiling = 18,
    kStalactite = 19,
    kStalagmite = 20,
    kOverhangLeft = 21,
    kOverhangRight = 22,
    kStoneHole = 23,
    kBrick = 24,
    kBrickTop = 25,
    kBrickArchLeft = 26,
    kBrickArchRight = 27,
    kBrickWindow = 28,
    kPillar = 29,
    kPillarTop = 30,
    kPillarBase = 31,
    kPlankLeft = 32,
    kPlank = 33,
    kPlankRight = 34,
    kLedgeLeft = 35,
    kLedge = 36,
    kLedgeRight = 37,
    kIslandLeft = 38,
    kIsland = 39,
    kIslandRight = 40,
    kGirder = 41,
    kGirderColumn = 42,
    kCrate = 43,
    kCrateHalf = 44,
    kFence = 45,
    kBarrel = 46,
    kSignPost = 47,
    kTrunk = 48,
    kCanopy = 49,
    kBush = 50,
    kBoulder = 51,
    kIce = 52,
    kIceSlopeUp = 53,
    kSand = 54,
    kSandTop = 55,
    kMushroomCap = 56,
    kMushroomStem = 57,
    kCrystal = 58,
    kStairsUp = 59,
    kStairsDown = 60,
    kGrassThin = 61,  // a thin grassy ledge
    kOre = 62,
    kBedrock = 63,
};

}  // namespace assetgen
