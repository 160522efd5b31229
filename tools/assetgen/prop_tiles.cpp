#include "tile_families.h"

#include <cmath>
#include <cstdlib>

#include "palette.h"
#include "tile_painting.h"
#include "tile_slots.h"

namespace assetgen {

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

}  // namespace assetgen
