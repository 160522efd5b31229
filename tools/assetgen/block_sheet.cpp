#include "block_sheet.h"

#include <array>
#include <cmath>

#include "palette.h"
#include "world/map_types.h"

namespace assetgen {

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

}  // namespace assetgen
