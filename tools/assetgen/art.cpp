#include "art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "actors/sprite_constants.h"
#include "world/map_types.h"

namespace assetgen {
namespace {

constexpr int kTile = kTileSheet.cellWidth;

struct Material {
    Colour light, mid, dark, deep;
};

// One palette for everything; no colour comes near the see-through key.
constexpr Material mGrass{Rgb(150, 214, 96), Rgb(104, 180, 64), Rgb(66, 136, 48), Rgb(40, 96, 40)};
constexpr Material mDirt{Rgb(156, 106, 66), Rgb(128, 84, 52), Rgb(102, 64, 40), Rgb(76, 48, 32)};
constexpr Material mDeepDirt{Rgb(110, 72, 48), Rgb(92, 60, 40), Rgb(74, 48, 34), Rgb(56, 36, 28)};
constexpr Material mStone{Rgb(150, 148, 156), Rgb(120, 118, 130), Rgb(92, 90, 104),
                          Rgb(64, 62, 78)};
constexpr Material mBrick{Rgb(186, 92, 66), Rgb(160, 72, 52), Rgb(124, 52, 40), Rgb(206, 184, 156)};
constexpr Material mWood{Rgb(194, 142, 84), Rgb(160, 112, 64), Rgb(120, 80, 46), Rgb(84, 56, 34)};
constexpr Material mMetal{Rgb(136, 146, 158), Rgb(104, 114, 128), Rgb(76, 84, 98),
                          Rgb(210, 214, 218)};
constexpr Material mIce{Rgb(206, 244, 236), Rgb(164, 222, 220), Rgb(120, 188, 200),
                        Rgb(90, 150, 176)};
constexpr Material mSand{Rgb(232, 204, 136), Rgb(212, 182, 112), Rgb(182, 152, 92),
                         Rgb(150, 122, 74)};
constexpr Material mBedrock{Rgb(64, 58, 72), Rgb(48, 44, 58), Rgb(36, 32, 44), Rgb(26, 22, 32)};
constexpr Material mLeaves{Rgb(96, 176, 76), Rgb(62, 144, 62), Rgb(42, 112, 48), Rgb(28, 80, 40)};
constexpr Material mBark{Rgb(130, 92, 60), Rgb(108, 74, 48), Rgb(86, 58, 38), Rgb(64, 42, 30)};
constexpr Material mCrystal{Rgb(228, 168, 246), Rgb(180, 120, 230), Rgb(140, 86, 196),
                            Rgb(100, 60, 150)};
constexpr Colour kGold = Rgb(236, 192, 60);
constexpr Colour kMushroomRed = Rgb(204, 54, 50);
constexpr Colour kMushroomSpot = Rgb(244, 238, 226);
constexpr Colour kInk = Rgb(30, 24, 30);

Colour Texture(const Material& m, int x, int y, int salt) {
    const double n = Noise(x / 2, y / 2, salt) * 0.7 + Noise(x, y, salt + 1) * 0.3;
    if (n < 0.18) return m.dark;
    if (n > 0.82) return m.light;
    return m.mid;
}

using Solid = std::function<bool(int, int)>;
using Paint = std::function<Colour(int x, int y, int depth)>;

// Paints a tile: depth is how far a pixel lies below the first solid pixel of its column.
// Solid pixels next to a see-through one on the sides or below are darkened, for an outline.
Canvas MakeTile(const Solid& solid, const Paint& paint) {
    Canvas t(kTile, kTile, kKey);
    for (int x = 0; x < kTile; ++x) {
        int top = -1;
        for (int y = 0; y < kTile; ++y) {
            if (!solid(x, y)) continue;
            if (top < 0) top = y;
            t.Set(x, y, paint(x, y, y - top));
        }
    }
    Canvas out = t;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            if (t.Get(x, y) == kKey) continue;
            const bool open = (x > 0 && !solid(x - 1, y)) || (x < kTile - 1 && !solid(x + 1, y)) ||
                              (y < kTile - 1 && !solid(x, y + 1));
            if (open) out.Set(x, y, Shade(t.Get(x, y), 0.7));
        }
    return out;
}

bool Full(int, int) {
    return true;
}

Paint Plain(const Material& m, int salt) {
    return [m, salt](int x, int y, int) { return Texture(m, x, y, salt); };
}

// Grass over dirt: a bright grass band along the surface, tufts hanging into the dirt.
Paint Grassy(int salt) {
    return [salt](int x, int y, int depth) {
        const int band = 4 + static_cast<int>(Noise(x, 0, salt) * 3);
        if (depth == 0) return mGrass.light;
        if (depth < band) return Texture(mGrass, x, y, salt);
        if (depth == band) return mGrass.deep;
        Colour c = Texture(mDirt, x, y, salt + 7);
        if (Noise(x / 3, y / 3, salt + 3) > 0.93) c = Rgb(172, 150, 120);  // pebbles
        return c;
    };
}

Paint Mossy(const Material& m, int salt) {
    return [m, salt](int x, int y, int depth) {
        if (depth == 0) return mGrass.mid;
        if (depth == 1 && Noise(x, 0, salt) > 0.4) return mGrass.dark;
        if (depth == 2) return m.light;
        return Texture(m, x, y, salt);
    };
}

// Bricks: 16 x 8 with mortar lines, alternate rows offset by half a brick.
Colour BrickAt(int x, int y, int salt) {
    const int row = y / 8;
    const int bx = (x + (row % 2) * 8) % 16;
    if (y % 8 == 7 || bx == 15) return mBrick.deep;
    const double n = Noise((x + (row % 2) * 8) / 16, row, salt);
    const Colour base = n < 0.3 ? mBrick.dark : (n > 0.8 ? mBrick.light : mBrick.mid);
    return (y % 8 == 0) ? Shade(base, 1.12) : base;
}

// Large stone blocks with chiselled seams.
Colour StoneBlockAt(int x, int y, int salt) {
    const int row = y / 16;
    const int bx = (x + (row % 2) * 16) % 32;
    if (y % 16 == 15 || bx == 31) return mStone.deep;
    if (y % 16 == 0 || bx == 0) return mStone.light;
    return Texture(mStone, x, y, salt);
}

Colour WoodAt(int x, int y, int salt) {
    if (y % 8 == 7) return mWood.deep;
    const Colour c = Texture(mWood, x * 3, y, salt);
    return (x + 3 * (y / 8)) % 11 == 0 ? mWood.dark : c;
}

// The grass and dirt of the surface: flat, sloped, ramped and edged.
std::optional<Canvas> GroundTile(int slot) {
    switch (slot) {
        case kGrassTop:
            return MakeTile(Full, Grassy(1));
        case kDirt:
            return MakeTile(Full, Plain(mDirt, 2));
        case kGrassSlopeUp:
            return MakeTile([](int x, int y) { return y >= 31 - x; }, Grassy(3));
        case kGrassSlopeDown:
            return MakeTile([](int x, int y) { return y >= x; }, Grassy(4));
        case kGrassRampUpLow:
            return MakeTile([](int x, int y) { return y >= 31 - x / 2; }, Grassy(5));
        case kGrassRampUpHigh:
            return MakeTile([](int x, int y) { return y >= 15 - x / 2; }, Grassy(6));
        case kGrassRampDownHigh:
            return MakeTile([](int x, int y) { return y >= x / 2; }, Grassy(7));
        case kGrassRampDownLow:
            return MakeTile([](int x, int y) { return y >= 16 + x / 2; }, Grassy(8));
        case kGrassEdgeLeft:  // a rounded top-left corner
            return MakeTile(
                [](int x, int y) {
                    return x >= 6 || (x - 6) * (x - 6) + (y - 6) * (y - 6) <= 36 || y >= 6;
                },
                Grassy(9));
        case kGrassEdgeRight:
            return MakeTile(
                [](int x, int y) {
                    return x <= 25 || (x - 25) * (x - 25) + (y - 6) * (y - 6) <= 36 || y >= 6;
                },
                Grassy(10));
        case kDirtStones:
            return MakeTile(Full, [](int x, int y, int) {
                const double n = Noise(x / 5, y / 4, 11);
                if (n > 0.8) return Texture(mStone, x, y, 12);
                return Texture(mDirt, x, y, 11);
            });
        case kDirtDeep:
            return MakeTile(Full, Plain(mDeepDirt, 13));
        default:
            return std::nullopt;
    }
}

// Stone: blocks, faces, slopes, the cave ceiling, stalactites, overhangs.
std::optional<Canvas> StoneTile(int slot) {
    switch (slot) {
        case kStone:
            return MakeTile(Full, [](int x, int y, int) { return StoneBlockAt(x, y, 14); });
        case kStoneTop:
            return MakeTile(Full, Mossy(mStone, 15));
        case kStoneFaceLeft:
            return MakeTile(
                [](int x, int) { return x >= 4; },
                [](int x, int y, int) { return x < 7 ? mStone.dark : Texture(mStone, x, y, 16); });
        case kStoneFaceRight:
            return MakeTile(
                [](int x, int) { return x <= 27; },
                [](int x, int y, int) { return x > 24 ? mStone.dark : Texture(mStone, x, y, 17); });
        case kStoneSlopeUp:
            return MakeTile([](int x, int y) { return y >= 31 - x; }, Mossy(mStone, 18));
        case kStoneSlopeDown:
            return MakeTile([](int x, int y) { return y >= x; }, Mossy(mStone, 19));
        case kCaveCeiling:
            return MakeTile(
                [](int x, int y) {
                    return y < 18 + static_cast<int>(SmoothNoise1D(x / 5.0, 20) * 10);
                },
                Plain(mStone, 20));
        case kStalactite:
            return MakeTile(
                [](int x, int y) {
                    const int w = 16 - y / 2;
                    return y < 10 || std::abs(x - 16) < w - 2;
                },
                Plain(mStone, 21));
        case kStalagmite:
            return MakeTile(
                [](int x, int y) {
                    const int w = (y - 2) / 2;
                    return y >= 24 || std::abs(x - 15) < w;
                },
                Plain(mStone, 22));
        case kOverhangLeft:  // solid on top, cut away below on the left
            return MakeTile([](int x, int y) { return y < 12 || x >= 2 * (y - 12) + 8; },
                            Mossy(mStone, 23));
        case kOverhangRight:
            return MakeTile([](int x, int y) { return y < 12 || 31 - x >= 2 * (y - 12) + 8; },
                            Mossy(mStone, 24));
        case kStoneHole:
            return MakeTile(
                [](int x, int y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) > 64; },
                [](int x, int y, int) { return StoneBlockAt(x, y, 25); });
        default:
            return std::nullopt;
    }
}

// Brick and pillars: walls, arches, windows.
std::optional<Canvas> MasonryTile(int slot) {
    switch (slot) {
        case kBrick:
            return MakeTile(Full, [](int x, int y, int) { return BrickAt(x, y, 26); });
        case kBrickTop:
            return MakeTile(Full, [](int x, int y, int) {
                if (y < 6) return y == 0 ? mStone.light : Texture(mStone, x, y, 27);
                return BrickAt(x, y, 27);
            });
        case kBrickArchLeft:
            return MakeTile(
                [](int x, int y) { return (x - 32) * (x - 32) + (y - 32) * (y - 32) > 400; },
                [](int x, int y, int) { return BrickAt(x, y, 28); });
        case kBrickArchRight:
            return MakeTile(
                [](int x, int y) { return (x + 1) * (x + 1) + (y - 32) * (y - 32) > 400; },
                [](int x, int y, int) { return BrickAt(x, y, 29); });
        case kBrickWindow:
            return MakeTile(
                [](int x, int y) {
                    return !(x >= 9 && x <= 22 && y >= 7 && y <= 24) || x == 15 || x == 16 ||
                           y == 15;
                },
                [](int x, int y, int) {
                    if (x >= 8 && x <= 23 && y >= 6 && y <= 25) return mWood.dark;
                    return BrickAt(x, y, 30);
                });
        case kPillar:
            return MakeTile([](int x, int) { return x >= 8 && x <= 23; },
                            [](int x, int y, int) {
                                return x == 10 || x == 16 || x == 21 ? mStone.dark
                                                                     : Texture(mStone, x, y, 31);
                            });
        case kPillarTop:
            return MakeTile([](int x, int y) { return y < 8 || (x >= 8 && x <= 23); },
                            [](int x, int y, int) {
                                if (y < 8) return y < 2 ? mStone.light : mStone.mid;
                                return x == 10 || x == 16 || x == 21 ? mStone.dark
                                                                     : Texture(mStone, x, y, 32);
                            });
        case kPillarBase:
            return MakeTile([](int x, int y) { return y >= 24 || (x >= 8 && x <= 23); },
                            [](int x, int y, int) {
                                if (y >= 24) return y == 24 ? mStone.light : mStone.mid;
                                return x == 10 || x == 16 || x == 21 ? mStone.dark
                                                                     : Texture(mStone, x, y, 33);
                            });
        default:
            return std::nullopt;
    }
}

// What the walker crosses: planks, ledges, floating islands, girders.
std::optional<Canvas> PlatformTile(int slot) {
    switch (slot) {
        case kPlankLeft:
            return MakeTile([](int x, int y) { return y < 8 && x >= 2; },
                            [](int x, int y, int) { return WoodAt(x, y, 34); });
        case kPlank:
            return MakeTile(
                [](int, int y) { return y < 8 || (y < 14 && (y - 8) * 2 < 6 - 0); },
                [](int x, int y, int) { return y < 8 ? WoodAt(x, y, 35) : mWood.deep; });
        case kPlankRight:
            return MakeTile([](int x, int y) { return y < 8 && x <= 29; },
                            [](int x, int y, int) { return WoodAt(x, y, 36); });
        case kLedgeLeft:
            return MakeTile([](int x, int y) { return y < 12 && x >= (y > 6 ? y - 6 : 0); },
                            Mossy(mStone, 37));
        case kLedge:
            return MakeTile([](int, int y) { return y < 12; }, Mossy(mStone, 38));
        case kLedgeRight:
            return MakeTile([](int x, int y) { return y < 12 && 31 - x >= (y > 6 ? y - 6 : 0); },
                            Mossy(mStone, 39));
        case kIslandLeft:
            return MakeTile([](int x, int y) { return y < 8 || (y < 28 && x >= 12 + (y - 8)); },
                            Grassy(40));
        case kIsland:
            return MakeTile(
                [](int x, int y) { return y < 20 + static_cast<int>(Noise(x / 4, 0, 41) * 10); },
                Grassy(41));
        case kIslandRight:
            return MakeTile(
                [](int x, int y) { return y < 8 || (y < 28 && 31 - x >= 12 + (y - 8)); },
                Grassy(42));
        case kGirder:
            return MakeTile(
                [](int x, int y) {
                    if (y < 3 || (y >= 11 && y < 14)) return true;
                    if (y >= 14) return false;
                    const int d = (x + 32 - y) % 8;
                    return d == 0 || d == 1;  // a truss: see-through between the bars
                },
                [](int x, int y, int) {
                    return (x % 8 == 3 && y == 1) ? mMetal.deep : Texture(mMetal, x, y, 43);
                });
        case kGirderColumn:
            return MakeTile(
                [](int x, int y) {
                    if (x >= 6 && x < 9) return true;
                    if (x >= 23 && x < 26) return true;
                    if (x < 6 || x >= 26) return false;
                    const int d = (y + x) % 10;
                    return d == 0 || d == 1;
                },
                Plain(mMetal, 44));
        default:
            return std::nullopt;
    }
}

// Props: crates, fences, barrels, the sign post, trees, bushes, boulders.
std::optional<Canvas> PropTile(int slot) {
    switch (slot) {
        case kCrate:
            return MakeTile(Full, [](int x, int y, int) {
                if (x < 3 || x > 28 || y < 3 || y > 28) return mWood.dark;
                if (std::abs(x - y) < 2 || std::abs(x + y - 31) < 2) return mWood.light;
                return WoodAt(x, y, 45);
            });
        case kCrateHalf:
            return MakeTile([](int, int y) { return y >= 16; },
                            [](int x, int y, int) {
                                if (x < 2 || x > 29 || y < 18 || y > 29) return mWood.dark;
                                return WoodAt(x, y, 46);
                            });
        case kFence:
            return MakeTile(
                [](int x, int y) {
                    return (x % 16 >= 5 && x % 16 <= 9 && y >= 4) || (y >= 12 && y <= 15) ||
                           y >= 28;
                },
                [](int x, int y, int) { return WoodAt(x, y, 47); });
        case kBarrel:
            return MakeTile(
                [](int x, int y) {
                    return std::abs(x - 15.5) < 11 + 3 * std::sin((y + 0.5) * 3.14159 / 32);
                },
                [](int x, int y, int) {
                    if (y % 10 == 4 || y % 10 == 5) return mMetal.dark;
                    return x % 6 == 0 ? mWood.dark : Texture(mWood, x, y, 48);
                });
        case kSignPost:
            return MakeTile(
                [](int x, int y) {
                    return (y >= 4 && y < 16 && x >= 3 && x < 29) || (x >= 14 && x < 18);
                },
                [](int x, int y, int) {
                    if (y >= 4 && y < 16 && x >= 3 && x < 29) {
                        if (y == 9 && x > 6 && x < 24) return kInk;
                        if (y == 9 && x >= 24 && x < 27) return kInk;
                        if ((y == 8 || y == 10) && x == 25) return kInk;
                        return mWood.light;
                    }
                    return mWood.dark;
                });
        case kTrunk:
            return MakeTile([](int x, int) { return x >= 9 && x <= 22; },
                            [](int x, int y, int) {
                                return (x + (y / 6)) % 5 == 0 ? mBark.deep
                                                              : Texture(mBark, x, y, 49);
                            });
        case kCanopy:
            return MakeTile(
                [](int x, int y) {
                    return Noise(x / 3, y / 3, 50) > 0.25 ||
                           ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 150);
                },
                Plain(mLeaves, 51));
        case kBush:
            return MakeTile(
                [](int x, int y) {
                    return (x - 16) * (x - 16) / 1.6 + (y - 31) * (y - 31) <
                           220 - 40 * Noise(x / 3, y / 3, 52);
                },
                Plain(mLeaves, 53));
        case kBoulder:
            return MakeTile(
                [](int x, int y) {
                    return (x - 15.5) * (x - 15.5) + (y - 19) * (y - 19) * 1.6 < 240;
                },
                [](int x, int y, int depth) {
                    return depth < 2 ? mStone.light : Texture(mStone, x, y, 54);
                });
        default:
            return std::nullopt;
    }
}

// Ice, sand, mushrooms, crystals, stairs, thin grass and ore.
std::optional<Canvas> NatureTile(int slot) {
    switch (slot) {
        case kIce:
            return MakeTile(Full, [](int x, int y, int) {
                if ((x + y) % 13 == 0) return mIce.light;
                return Texture(mIce, x, y, 55);
            });
        case kIceSlopeUp:
            return MakeTile(
                [](int x, int y) { return y >= 31 - x / 2; },
                [](int x, int y, int d) { return d == 0 ? mIce.light : Texture(mIce, x, y, 56); });
        case kSand:
            return MakeTile(Full, Plain(mSand, 57));
        case kSandTop:
            return MakeTile(
                [](int x, int y) { return y >= 2 + static_cast<int>(2 * std::sin(x / 5.0)); },
                [](int x, int y, int d) {
                    return d == 0 ? mSand.light : Texture(mSand, x, y, 58);
                });
        case kMushroomCap:
            return MakeTile(
                [](int x, int y) {
                    return y >= 10 && (x - 15.5) * (x - 15.5) + (y - 31) * (y - 31) * 1.4 < 300;
                },
                [](int x, int y, int) {
                    if ((x - 9) * (x - 9) + (y - 22) * (y - 22) < 9) return kMushroomSpot;
                    if ((x - 21) * (x - 21) + (y - 18) * (y - 18) < 7) return kMushroomSpot;
                    return kMushroomRed;
                });
        case kMushroomStem:
            return MakeTile(
                [](int x, int) { return x >= 11 && x <= 20; },
                [](int x, int, int) { return x < 13 ? Rgb(200, 190, 170) : Rgb(232, 222, 200); });
        case kCrystal:
            return MakeTile(
                [](int x, int y) {
                    const bool a = std::abs(x - 10) * 3 < (y - 6) && y >= 6;
                    const bool b = std::abs(x - 20) * 2 < (y - 2) && y >= 2;
                    const bool c = std::abs(x - 26) * 3 < (y - 14) && y >= 14;
                    return a || b || c || y >= 28;
                },
                [](int x, int y, int) {
                    return y >= 28 ? mStone.dark : Texture(mCrystal, x, y, 59);
                });
        case kStairsUp:
            return MakeTile([](int x, int y) { return y >= 24 - (x / 11) * 8 + 0; },
                            [](int x, int y, int) { return BrickAt(x, y, 60); });
        case kStairsDown:
            return MakeTile([](int x, int y) { return y >= 8 + (x / 11) * 8; },
                            [](int x, int y, int) { return BrickAt(x, y, 61); });
        case kGrassThin:
            return MakeTile([](int, int y) { return y < 10; }, Grassy(62));
        case kOre:
            return MakeTile(Full, [](int x, int y, int) {
                if (Noise(x / 3, y / 3, 63) > 0.86) return kGold;
                return Texture(mStone, x, y, 64);
            });
        default:
            return std::nullopt;
    }
}

// Slot K x 4 + R of the sheet; bedrock for the bedrock slot and any slot without a tile of its own.
Canvas DrawTile(int slot) {
    for (auto family : {GroundTile, StoneTile, MasonryTile, PlatformTile, PropTile, NatureTile})
        if (std::optional<Canvas> tile = family(slot)) return *std::move(tile);
    return MakeTile(Full, Plain(mBedrock, 65));
}

// ---- Background ----

Colour SkyAt(int y) {
    // Dusk: deep violet above, warm orange at the horizon.
    const double t = y / 560.0;
    if (t < 0.5) return Mix(Rgb(34, 30, 78), Rgb(96, 62, 120), t / 0.5);
    if (t < 0.8) return Mix(Rgb(96, 62, 120), Rgb(214, 112, 92), (t - 0.5) / 0.3);
    return Mix(Rgb(214, 112, 92), Rgb(250, 176, 96), std::min(1.0, (t - 0.8) / 0.2));
}

// Quantises a colour to a grid of levels, so the background keeps a modest number of colours.
Colour Band(Colour c) {
    auto q = [](int v) { return std::min(255, (v / 6) * 6 + 3); };
    return Rgb(q((c >> 16) & 0xFF), q((c >> 8) & 0xFF), q(c & 0xFF));
}

void DrawRidge(Canvas& c, int baseY, double amplitude, double scale, int salt, Colour colour) {
    for (int x = 0; x < c.width(); ++x) {
        const double h = SmoothNoise1D(x / scale, salt) * amplitude +
                         SmoothNoise1D(x / (scale / 3), salt + 1) * amplitude * 0.3;
        for (int y = baseY - static_cast<int>(h); y < c.height(); ++y) c.Set(x, y, colour);
    }
}

void DrawTown(Canvas& c, int groundY) {
    const Colour wall = Rgb(44, 36, 58), roof = Rgb(36, 28, 48), lit = Rgb(255, 214, 120);
    int x = 40;
    int salt = 900;
    while (x < c.width() - 40) {
        const int w = 30 + static_cast<int>(Noise(salt, 0, 1) * 40);
        const int h = 40 + static_cast<int>(Noise(salt, 1, 1) * 70);
        c.FillRect(x, groundY - h, w, h, wall);
        for (int i = 0; i < w / 2 + 2; ++i)
            c.FillRect(x - 2 + i, groundY - h - i / 2, w + 4 - 2 * i, 1, roof);
        for (int wy = groundY - h + 8; wy < groundY - 8; wy += 12)
            for (int wx = x + 5; wx < x + w - 6; wx += 10)
                if (Noise(wx, wy, salt) > 0.45) c.FillRect(wx, wy, 4, 6, lit);
        x += w + 4 + static_cast<int>(Noise(salt, 2, 1) * 20);
        ++salt;
    }
    // The clock tower that watches over the town.
    const int tx = 620, tw = 44, top = groundY - 250;
    c.FillRect(tx, top, tw, groundY - top, wall);
    c.FillRect(tx - 4, top + 40, tw + 8, 6, roof);
    for (int i = 0; i < 40; ++i) c.FillRect(tx + i / 2, top - i, tw - i, 1, roof);
    c.FillCircle(tx + tw / 2.0, top + 22, 14, Rgb(246, 232, 190));
    c.FillCircle(tx + tw / 2.0, top + 22, 12, Rgb(232, 214, 164));
    c.Line(tx + tw / 2, top + 22, tx + tw / 2, top + 13, kInk);
    c.Line(tx + tw / 2, top + 22, tx + tw / 2 + 7, top + 22, kInk);
    for (int wy = top + 60; wy < groundY - 20; wy += 22) c.FillRect(tx + 18, wy, 8, 10, lit);
}

// ---- Walker ----

struct Pose {
    int leftFootX, leftFootLift;  // foot x (relative to the body centre) and lift in pixels
    int rightFootX, rightFootLift;
    int bob;     // body offset downwards
    int squash;  // body flattened by this many pixels
};

constexpr Colour kBody = Rgb(236, 140, 44), kBodyDark = Rgb(188, 96, 28),
                 kBodyLight = Rgb(252, 192, 96);
constexpr Colour kEyeWhite = Rgb(250, 250, 244), kPupil = Rgb(24, 20, 36), kFoot = Rgb(80, 52, 96);

// Draws the walker facing right into a 64 x 64 frame; feet end on row 63, the body keeps within
// columns 8 to 46 so the wall probes meet it squarely.
Canvas DrawWalker(const Pose& p) {
    Canvas f(64, 64, kKey);
    const double cx = 27, cy = 34 + p.bob;
    const double ry = 20 - p.squash * 0.5, rx = 19 + p.squash * 0.3;
    // Legs and feet.
    auto foot = [&](int fx, int lift) {
        const int x = static_cast<int>(cx) + fx;
        f.FillRect(x - 1, static_cast<int>(cy + ry) - 4, 4,
                   60 - lift - static_cast<int>(cy + ry) + 4, kFoot);
        f.FillEllipse(x + 2, 61 - lift, 6, 2.6, kFoot);
    };
    foot(p.leftFootX, p.leftFootLift);
    foot(p.rightFootX, p.rightFootLift);
    // Body: a round shell with a lighter belly and a darker back.
    f.FillEllipse(cx, cy, rx + 1.5, ry + 1.5, kInk);
    f.FillEllipse(cx, cy, rx, ry, kBody);
    f.FillEllipse(cx - 5, cy + 4, rx * 0.55, ry * 0.6, kBodyLight);
    f.FillEllipse(cx - rx * 0.55, cy - ry * 0.3, 3, 5, kBodyDark);
    // Antenna.
    f.Line(static_cast<int>(cx - 2), static_cast<int>(cy - ry), static_cast<int>(cx - 6),
           static_cast<int>(cy - ry - 8), kInk);
    f.FillCircle(cx - 6, cy - ry - 9, 2.5, Rgb(120, 220, 240));
    // One big eye looking ahead.
    f.FillCircle(cx + 8, cy - 5, 7, kInk);
    f.FillCircle(cx + 8, cy - 5, 6, kEyeWhite);
    f.FillCircle(cx + 10.5, cy - 5, 3, kPupil);
    f.Set(static_cast<int>(cx + 9), static_cast<int>(cy - 7), kEyeWhite);
    return f;
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

Canvas MakeBackground() {
    static_assert(kBackgroundPicture.cellWidth == 1024 && kBackgroundPicture.cellHeight == 768);
    Canvas bg(1024, 768, 0);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) bg.Set(x, y, Band(SkyAt(y)));
    for (int i = 0; i < 140; ++i) {  // stars in the upper sky
        const int x = static_cast<int>(Noise(i, 1, 300) * 1024),
                  y = static_cast<int>(Noise(i, 2, 300) * 300);
        bg.Set(x, y, Noise(i, 3, 300) > 0.5 ? Rgb(255, 250, 230) : Rgb(200, 196, 224));
    }
    bg.FillCircle(800, 470, 54, Rgb(255, 210, 120));  // the setting sun
    bg.FillCircle(800, 470, 46, Rgb(255, 232, 160));
    DrawRidge(bg, 520, 150, 260, 301, Rgb(122, 78, 128));
    DrawRidge(bg, 590, 110, 180, 302, Rgb(88, 58, 104));
    DrawRidge(bg, 660, 60, 120, 303, Rgb(62, 46, 84));
    DrawTown(bg, 700);
    for (int y = 700; y < 768; ++y)  // the near fields
        for (int x = 0; x < 1024; ++x)
            bg.Set(x, y, Noise(x / 3, y / 2, 304) > 0.7 ? Rgb(46, 62, 52) : Rgb(38, 52, 46));
    return bg;
}

Canvas MakeBlockSheet() {
    const PictureGrid& g = kBlockSheet;
    Canvas sheet(g.CoverWidth(), g.CoverHeight(), Rgb(28, 26, 34));
    // Block 0: hanging vines.
    Canvas vines(128, 128, kKey);
    for (int v = 0; v < 7; ++v) {
        const int x0 = 8 + v * 17 + static_cast<int>(Noise(v, 0, 401) * 8);
        const int len = 50 + static_cast<int>(Noise(v, 1, 401) * 75);
        for (int y = 0; y < len; ++y) {
            const int x = x0 + static_cast<int>(3 * std::sin(y / 9.0 + v));
            vines.FillRect(x, y, 3, 1, mLeaves.dark);
            if (y % 9 == 4) vines.FillEllipse(x + (y % 18 ? 4 : -2), y, 4, 2.5, mLeaves.mid);
        }
    }
    vines.FillRect(0, 0, 128, 6, mLeaves.deep);
    // Block 1: a foreground fern bush.
    Canvas bush(128, 128, kKey);
    for (int i = 0; i < 9; ++i) {
        const double angle = -2.6 + i * 0.33;
        for (int s = 0; s < 70; ++s) {
            const double x = 64 + std::cos(angle) * s,
                         y = 127 + std::sin(angle) * s + s * s * 0.006;
            bush.FillCircle(x, y, 3.5 - s * 0.03, i % 2 ? mLeaves.mid : mLeaves.dark);
            if (s % 8 == 4) bush.FillEllipse(x + 5, y - 2, 5, 2, mLeaves.light);
        }
    }
    // Block 2: a hanging lantern on a chain.
    Canvas lantern(128, 128, kKey);
    for (int y = 0; y < 70; y += 6) {
        lantern.FillRect(62, y, 4, 4, mMetal.dark);
        lantern.FillRect(63, y + 3, 2, 3, mMetal.mid);
    }
    lantern.FillRect(48, 70, 32, 6, mMetal.dark);
    lantern.FillRect(50, 76, 28, 34, Rgb(255, 214, 120));
    lantern.FillRect(56, 80, 16, 26, Rgb(255, 240, 180));
    lantern.FillRect(50, 76, 3, 34, mMetal.dark);
    lantern.FillRect(75, 76, 3, 34, mMetal.dark);
    lantern.FillRect(48, 110, 32, 6, mMetal.dark);
    const std::array<const Canvas*, 3> blocks{&vines, &bush, &lantern};
    static_assert(blocks.size() == kBlockSheet.columns);
    for (int b = 0; b < g.columns; ++b) {
        const Canvas& block = *blocks[static_cast<std::size_t>(b)];
        sheet.Blit(block, g.X(b), g.Y(0));
        // Blit leaves the key out; the see-through parts must stay key, so fill them back.
        for (int y = 0; y < g.cellHeight; ++y)
            for (int x = 0; x < g.cellWidth; ++x)
                if (block.Get(x, y) == kKey) sheet.Set(g.X(b) + x, g.Y(0) + y, kKey);
    }
    return sheet;
}

Canvas MakeWalkerSheet() {
    const PictureGrid& g = kWalkerSheet;
    Canvas sheet(g.CoverWidth(), g.CoverHeight(), Rgb(28, 26, 34));
    // The walk cycle facing right: contact, passing, contact (other foot), passing.
    const std::array<Pose, 4> walk{
        {{-10, 0, 10, 0, 1, 0}, {-3, 4, 3, 0, 0, 0}, {10, 0, -10, 0, 1, 0}, {3, 0, -3, 4, 0, 0}}};
    // Facing left mirrors about the body's centre (column 27), so both directions keep the
    // body within the columns the wall probes test.
    auto put = [&](const Canvas& frame, int i, int row, bool mirror) {
        for (int fy = 0; fy < g.cellHeight; ++fy)
            for (int fx = 0; fx < g.cellWidth; ++fx)
                sheet.Set(g.X(i) + fx, g.Y(row) + fy, frame.Get(mirror ? 54 - fx : fx, fy));
    };
    for (int i = 0; i < 4; ++i) {
        const Canvas right = DrawWalker(walk[static_cast<std::size_t>(i)]);
        // Frames 0 to 3 face left (the mirror image), 4 to 7 face right.
        put(right, i, 0, true);
        put(right, 4 + i, 0, false);
    }
    // Lower row: crouch, take-off, rise, peak, fall, land, turn.
    const std::array<Pose, 7> jump{{{-6, 0, 6, 0, 4, 4},
                                    {-4, 2, 4, 2, 0, 0},
                                    {-6, 8, 6, 8, -6, 0},
                                    {-8, 10, 8, 10, -8, 0},
                                    {-5, 6, 5, 6, -4, 0},
                                    {-8, 0, 8, 0, 5, 5},
                                    {0, 0, 0, 0, 1, 0}}};
    for (int i = 0; i < 7; ++i) put(DrawWalker(jump[static_cast<std::size_t>(i)]), i, 1, i == 6);
    return sheet;
}

}  // namespace assetgen
