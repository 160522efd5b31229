// The one palette of the generated pictures: the materials' four shades and a few colours of
// their own, and a material's texture. Used by the tiles, the background, the blocks and the
// walker.
#pragma once

#include "canvas.h"

namespace assetgen {

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

// A material's mid shade, flecked with its dark and light ones by the noise of (x, y) and salt.
Colour Texture(const Material& m, int x, int y, int salt);

}  // namespace assetgen
