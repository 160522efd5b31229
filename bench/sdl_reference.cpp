#include "sdl_reference.h"

#include <cstring>

namespace sdl_reference {

Uint32 FormatOf(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 8:
            return SDL_PIXELFORMAT_INDEX8;
        case 16:
            return SDL_PIXELFORMAT_RGB565;
        case 24:
            return SDL_PIXELFORMAT_BGR24;  // bytes B, G, R, as the emulated display packs them
        default:
            return SDL_PIXELFORMAT_RGB888;
    }
}

SDL_Surface* MakeSurface(int width, int height, int bitsPerPixel) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, bitsPerPixel, FormatOf(bitsPerPixel));
    if (s != nullptr && bitsPerPixel == 8) {
        static SDL_Palette* shared = [] {
            SDL_Palette* p = SDL_AllocPalette(256);
            SDL_Color colours[256];
            for (int i = 0; i < 256; ++i)
                colours[i] = {static_cast<Uint8>(i), static_cast<Uint8>(255 - i),
                              static_cast<Uint8>(i * 7), 255};
            SDL_SetPaletteColors(p, colours, 0, 256);
            return p;
        }();
        SDL_SetSurfacePalette(s, shared);
    }
    return s;
}

void CopyRows(SDL_Surface* to, const std::uint8_t* from, int pitch) {
    const int bytes = to->format->BytesPerPixel;
    for (int y = 0; y < to->h; ++y)
        std::memcpy(static_cast<std::uint8_t*>(to->pixels) + y * to->pitch, from + y * pitch,
                    static_cast<std::size_t>(to->w) * bytes);
}

namespace {

// Whether any pixel of the surface is the key (raw values of 1 to 4 bytes).
bool HasKeyPixel(const SDL_Surface* s, Uint32 key) {
    const int bytes = s->format->BytesPerPixel;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 v = 0;
            std::memcpy(&v, static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch + x * bytes,
                        static_cast<std::size_t>(bytes));
            if (v == key) return true;
        }
    return false;
}

}  // namespace

Composition::~Composition() {
    for (auto& [key, surface] : sources_) SDL_FreeSurface(surface);
}

void Composition::Add(const test_seams::CopyView& c) {
    SDL_Surface*& source = sources_[{c.sourcePixels, c.keyed}];
    if (source == nullptr) {
        source = MakeSurface(c.sourceWidth, c.sourceHeight, c.bitsPerPixel);
        CopyRows(source, c.sourcePixels, c.sourcePitch);
        if (c.keyed && (!plain_ || HasKeyPixel(source, c.key))) {
            SDL_SetColorKey(source, SDL_TRUE, c.key);
            if (plain_) SDL_SetSurfaceRLE(source, 1);
        }
    }
    copies_.push_back({source,
                       {c.sourceLeft, c.sourceTop, c.right - c.left, c.bottom - c.top},
                       {c.left, c.top, c.right - c.left, c.bottom - c.top}});
}

void Composition::UseRle(bool on) {
    for (auto& [key, surface] : sources_)
        if (key.second) SDL_SetSurfaceRLE(surface, on ? 1 : 0);
}

void Composition::Compose(SDL_Surface* target) const {
    for (const Copy& c : copies_) {
        SDL_Rect from = c.from, to = c.to;
        SDL_BlitSurface(c.source, &from, target, &to);
    }
}

std::string FirstDifference(const SDL_Surface* surface, const std::uint8_t* pixels, int pitch) {
    const int bytes = surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            const std::uint8_t* a = row + x * bytes;
            const std::uint8_t* b = pixels + y * pitch + x * bytes;
            if (std::memcmp(a, b, static_cast<std::size_t>(bytes)) == 0) continue;
            std::uint32_t va = 0, vb = 0;
            std::memcpy(&va, a, static_cast<std::size_t>(bytes));
            std::memcpy(&vb, b, static_cast<std::size_t>(bytes));
            return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) +
                   "): SDL " + std::to_string(va) + ", ours " + std::to_string(vb);
        }
    }
    return "";
}

}  // namespace sdl_reference
