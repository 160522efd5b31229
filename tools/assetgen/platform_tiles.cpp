#include "tile_families.h"

#include "palette.h"
#include "tile_painting.h"
#include "tile_slots.h"

namespace assetgen {

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

}  // namespace assetgen
