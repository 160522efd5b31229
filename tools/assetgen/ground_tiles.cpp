#include "tile_families.h"

#include "palette.h"
#include "tile_painting.h"
#include "tile_slots.h"

namespace assetgen {

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

}  // namespace assetgen
