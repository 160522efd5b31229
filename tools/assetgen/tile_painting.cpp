#include "tile_painting.h"

namespace assetgen {

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

Colour BrickAt(int x, int y, int salt) {
    const int row = y / 8;
    const int bx = (x + (row % 2) * 8) % 16;
    if (y % 8 == 7 || bx == 15) return mBrick.deep;
    const double n = Noise((x + (row % 2) * 8) / 16, row, salt);
    const Colour base = n < 0.3 ? mBrick.dark : (n > 0.8 ? mBrick.light : mBrick.mid);
    return (y % 8 == 0) ? Shade(base, 1.12) : base;
}

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

}  // namespace assetgen
