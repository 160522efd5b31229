#include "tile_families.h"

#include <cmath>
#include <cstdlib>

#include "palette.h"
#include "tile_painting.h"
#include "tile_slots.h"

namespace assetgen {

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

}  // namespace assetgen
