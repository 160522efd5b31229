#include "background.h"

#include <algorithm>

#include "palette.h"
#include "world/map_types.h"

namespace assetgen {
namespace {

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

}  // namespace

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

}  // namespace assetgen
