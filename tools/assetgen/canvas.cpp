#include "canvas.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace assetgen {

double Noise(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

double SmoothNoise1D(double x, int salt) {
    const double fx = std::floor(x);
    const int i = static_cast<int>(fx);
    const double t = x - fx;
    const double s = t * t * (3 - 2 * t);
    return Noise(i, 0, salt) * (1 - s) + Noise(i + 1, 0, salt) * s;
}

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [&](int shift) {
        const double va = (a >> shift) & 0xFF, vb = (b >> shift) & 0xFF;
        return static_cast<int>(std::lround(va + (vb - va) * t));
    };
    return Rgb(ch(16), ch(8), ch(0));
}

Colour Shade(Colour c, double factor) {
    auto ch = [&](int shift) {
        const double v = ((c >> shift) & 0xFF) * factor;
        return static_cast<int>(std::clamp(std::lround(v), 0l, 255l));
    };
    return Rgb(ch(16), ch(8), ch(0));
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

Colour Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kKey;
    return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void Canvas::Set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
}

void Canvas::FillRect(int x, int y, int w, int h, Colour c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::FillCircle(double cx, double cy, double r, Colour c) {
    FillEllipse(cx, cy, r, r, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Colour c) {
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
        }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Colour c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::Blit(const Canvas& from, int x, int y, bool mirror) {
    for (int j = 0; j < from.height(); ++j)
        for (int i = 0; i < from.width(); ++i) {
            const Colour c = from.Get(mirror ? from.width() - 1 - i : i, j);
            if (c != kKey) Set(x + i, y + j, c);
        }
}

namespace {

bool Save(SDL_Surface* surface, const std::string& path, std::string& error) {
    if (surface == nullptr) {
        error = SDL_GetError();
        return false;
    }
    const bool ok = SDL_SaveBMP(surface, path.c_str()) == 0;
    if (!ok) error = SDL_GetError();
    SDL_FreeSurface(surface);
    return ok;
}

}  // namespace

bool SaveBmp24(const Canvas& canvas, const std::string& path, std::string& error) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, canvas.width(), canvas.height(), 24,
                                                    SDL_PIXELFORMAT_BGR24);
    if (s == nullptr) return Save(s, path, error);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < canvas.width(); ++x) {
            const Colour c = canvas.Get(x, y);
            const Uint32 v = SDL_MapRGB(s->format, static_cast<Uint8>(c >> 16),
                                        static_cast<Uint8>(c >> 8), static_cast<Uint8>(c));
            row[3 * x + 0] = static_cast<Uint8>(v);  // packed little-endian, as the format says
            row[3 * x + 1] = static_cast<Uint8>(v >> 8);
            row[3 * x + 2] = static_cast<Uint8>(v >> 16);
        }
    }
    return Save(s, path, error);
}

bool SaveBmp8(const Canvas& canvas, const std::string& path, std::string& error) {
    std::map<Colour, int> index;
    for (Colour c : canvas.pixels()) index.emplace(c, 0);
    if (index.size() > 256) {
        error = "more than 256 colours in an 8-bit picture";
        return false;
    }
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, canvas.width(), canvas.height(), 8,
                                                    SDL_PIXELFORMAT_INDEX8);
    if (s == nullptr) return Save(s, path, error);
    std::vector<SDL_Color> colours;
    for (auto& [c, i] : index) {
        i = static_cast<int>(colours.size());
        colours.push_back(
            {static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8), static_cast<Uint8>(c), 255});
    }
    while (colours.size() < 256) colours.push_back({0, 0, 0, 255});
    SDL_SetPaletteColors(s->format->palette, colours.data(), 0, 256);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < canvas.width(); ++x)
            row[x] = static_cast<Uint8>(index[canvas.Get(x, y)]);
    }
    return Save(s, path, error);
}

}  // namespace assetgen
