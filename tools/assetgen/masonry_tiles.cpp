#include "tile_families.h"

#include "palette.h"
#include "tile_painting.h"
#include "tile_slots.h"

namespace assetgen {

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

}  // namespace assetgen
