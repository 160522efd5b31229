#include "tile_families.h"

#include <cstdlib>

#include "palette.h"
#include "tile_painting.h"
#include "tile_slots.h"

namespace assetgen {

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

}  // namespace assetgen
