// Pictures (BMP files held in their own pixel format), device contexts, pixels and text.
#include "platform/pictures/gdi.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/pixel_format.h"
#include "platform/files/regular_file.h"
#include "platform/pictures/bitmap_font.h"
#include "platform/pictures/bmp_header.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

struct PictureObject {
    SDL_Surface* surface = nullptr;
    std::array<std::uint32_t, 256> palette{};  // XRGB of each index, for 8-bit pictures
    int bitsPerPixel = 0;                      // as in the file
};

struct DeviceContext {
    IDirectDrawSurface* surface = nullptr;  // a surface's context
    PictureObject* selected = nullptr;      // a memory context's picture
    int mapMode = MM_TEXT;
    int stretchMode = 1;
};

namespace {

std::string g_lastLoadError;

// A picture file larger than this is refused before it is read: the largest picture accepted
// (8192 x 8192 x 32 bits) needs 256 MiB.
constexpr std::uint64_t kMaxPictureFileBytes = 512ull * 1024 * 1024;

RegularFile& FileOf(SDL_RWops* rw) {
    return *static_cast<RegularFile*>(rw->hidden.unknown.data1);
}

// An SDL stream over an open RegularFile; closing it frees only the stream.
SDL_RWops* ReaderOver(RegularFile& file) {
    SDL_RWops* rw = SDL_AllocRW();
    if (rw == nullptr) return nullptr;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->hidden.unknown.data1 = &file;
    rw->size = [](SDL_RWops* r) -> Sint64 { return static_cast<Sint64>(FileOf(r).size()); };
    rw->seek = [](SDL_RWops* r, Sint64 offset, int whence) -> Sint64 {
        return FileOf(r).Seek(offset, whence);
    };
    rw->read = [](SDL_RWops* r, void* buffer, size_t size, size_t count) -> size_t {
        if (size == 0 || count == 0) return 0;
        std::size_t wanted = size * count, done = 0;
        if (wanted / size != count) return 0;
        auto* out = static_cast<std::uint8_t*>(buffer);
        while (done < wanted) {
            const std::int64_t n = FileOf(r).Read(out + done, wanted - done);
            if (n < 0) {
                SDL_SetError("%s", FileOf(r).reason());
                break;
            }
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done / size;
    };
    rw->write = [](SDL_RWops*, const void*, size_t, size_t) -> size_t { return 0; };
    rw->close = [](SDL_RWops* r) -> int {
        SDL_FreeRW(r);
        return 0;
    };
    return rw;
}

bool Fail(const char* reason) {
    g_lastLoadError = reason;
    return false;
}

// The channel of v under mask, widened to 8 bits.
std::uint32_t Widen(std::uint32_t v, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    int bits = 0;
    while (((mask >> (shift + bits)) & 1u) != 0 && bits < 8) ++bits;
    std::uint32_t c = (v & mask) >> shift;
    if (bits >= 8) return c & 0xFF;
    std::uint32_t wide = 0;
    for (int filled = 0; filled < 8; filled += bits) wide = (wide << bits) | c;
    const int total = ((8 + bits - 1) / bits) * bits;
    return (wide >> (total - 8)) & 0xFF;
}

// Decodes count pixels of one picture row, starting at column x, to 0x00RRGGBB. The picture's
// alpha channel and blending play no part, as with a plain GDI copy.
void DecodePictureRow(const PictureObject& p, int x, int y, int count, std::uint32_t* out) {
    const SDL_Surface* s = p.surface;
    const SDL_PixelFormat* f = s->format;
    const auto* row =
        static_cast<const std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch;
    const int bytes = f->BytesPerPixel;
    const std::uint8_t* px = row + static_cast<std::ptrdiff_t>(x) * bytes;
    if (bytes == 1) {
        for (int i = 0; i < count; ++i) out[i] = p.palette[px[i]];
        return;
    }
    if (bytes == 2) {
        // Channels widen by repeating their top bits, so the 5-bit levels of a 555 picture
        // reach full range and its key pixels read back as exactly RGB(189,198,255).
        for (int i = 0; i < count; ++i) {
            const std::uint32_t v = static_cast<std::uint32_t>(px[2 * i] | (px[2 * i + 1] << 8));
            out[i] = (Widen(v, f->Rmask) << 16) | (Widen(v, f->Gmask) << 8) | Widen(v, f->Bmask);
        }
        return;
    }
    // The usual layouts (bytes B, G, R and B, G, R, X): no masks to apply.
    if (f->Rmask == 0xFF0000u && f->Gmask == 0xFF00u && f->Bmask == 0xFFu) {
        // Four-byte loads, masked; the last pixel of a 24-bit row byte by byte, so no load
        // reaches past the row.
        const int whole = bytes == 4 ? count : count - 1;
        for (int i = 0; i < whole; ++i) {
            std::uint32_t v;
            std::memcpy(&v, px + static_cast<std::ptrdiff_t>(i) * bytes, 4);
            out[i] = v & 0x00FFFFFFu;
        }
        if (whole < count && count > 0) {
            const std::uint8_t* q = px + static_cast<std::ptrdiff_t>(count - 1) * bytes;
            out[count - 1] = static_cast<std::uint32_t>(q[0] | (q[1] << 8) | (q[2] << 16));
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* q = px + i * bytes;
        std::uint32_t v = static_cast<std::uint32_t>(q[0] | (q[1] << 8) | (q[2] << 16));
        if (bytes == 4) v |= static_cast<std::uint32_t>(q[3]) << 24;
        const std::uint32_t r = (v & f->Rmask) >> f->Rshift, g = (v & f->Gmask) >> f->Gshift,
                            b = (v & f->Bmask) >> f->Bshift;
        out[i] = (r << 16) | (g << 8) | b;
    }
}

}  // namespace

namespace platform_internal {

HDC TakeSurfaceDC(IDirectDrawSurface* surface, HDC& cache) {
    if (cache == nullptr) cache = new DeviceContext;
    *cache = DeviceContext{};
    cache->surface = surface;
    CountLive(&SeamState::liveDCs, +1);
    return cache;
}

void GiveBackSurfaceDC(HDC) {
    CountLive(&SeamState::liveDCs, -1);
}

void FreeSurfaceDC(HDC cache) {
    delete cache;
}

}  // namespace platform_internal

const char* GetLastLoadErrorText() {
    return g_lastLoadError.c_str();
}

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT flags) {
    auto load = [&]() -> PictureObject* {
        if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || name == nullptr) {
            Fail("unsupported request");
            return nullptr;
        }
        RegularFile file(name, kMaxPictureFileBytes);
        if (!file.ok()) {
            Fail(file.reason());
            return nullptr;
        }
        std::uint8_t head[64] = {};
        std::size_t got = 0;
        while (got < sizeof head) {
            const std::int64_t n = file.Read(head + got, sizeof head - got);
            if (n < 0) {
                Fail(file.reason());
                return nullptr;
            }
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        const bmp_header::Check check = bmp_header::Inspect(head, got, file.size());
        if (!check.ok) {
            Fail(check.reason);
            return nullptr;
        }
        // SDL decodes from the file already opened and checked, never from the name again.
        if (file.Seek(0, SEEK_SET) != 0) {
            Fail("the file could not be read");
            return nullptr;
        }
        SDL_Surface* surface = SDL_LoadBMP_RW(ReaderOver(file), 1);
        if (surface == nullptr) {
            g_lastLoadError = file.readFailed()
                                  ? std::string(file.reason())
                                  : std::string("the BMP file is damaged (") + SDL_GetError() + ")";
            return nullptr;
        }
        if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
        auto* picture = new PictureObject;
        picture->surface = surface;
        picture->bitsPerPixel = check.bitsPerPixel;
        if (surface->format->BytesPerPixel == 1 && surface->format->palette != nullptr) {
            const SDL_Palette* pal = surface->format->palette;
            for (int i = 0; i < 256; ++i) {
                const SDL_Color c = i < pal->ncolors ? pal->colors[i] : SDL_Color{0, 0, 0, 255};
                picture->palette[static_cast<std::size_t>(i)] =
                    static_cast<std::uint32_t>((c.r << 16) | (c.g << 8) | c.b);
            }
        }
        return picture;
    };
    return load();
}

int GetObjectA(HGDIOBJ object, int size, void* description) {
    if (object == nullptr || description == nullptr || size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    auto* bm = static_cast<BITMAP*>(description);
    *bm = {};
    bm->bmWidth = object->surface->w;
    bm->bmHeight = object->surface->h;
    bm->bmWidthBytes = object->surface->pitch;
    bm->bmPlanes = 1;
    bm->bmBitsPixel = static_cast<WORD>(object->bitsPerPixel);
    return static_cast<int>(sizeof(BITMAP));
}

BOOL DeleteObject(HGDIOBJ object) {
    if (object == nullptr) return FALSE;
    SDL_FreeSurface(object->surface);
    delete object;
    return TRUE;
}

HDC CreateCompatibleDC(HDC) {
    platform_internal::CountLive(&platform_internal::SeamState::liveDCs, +1);
    return new DeviceContext;
}

BOOL DeleteDC(HDC dc) {
    if (dc == nullptr || dc->surface != nullptr) return FALSE;
    platform_internal::CountLive(&platform_internal::SeamState::liveDCs, -1);
    delete dc;
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || dc->surface != nullptr) return nullptr;
    HGDIOBJ previous = dc->selected;
    dc->selected = object;
    return previous;
}

int GetMapMode(HDC dc) {
    return dc ? dc->mapMode : 0;
}

int SetMapMode(HDC dc, int mode) {
    if (dc == nullptr) return 0;
    const int previous = dc->mapMode;
    dc->mapMode = mode;
    return previous;
}

int SetStretchBltMode(HDC dc, int mode) {
    if (dc == nullptr) return 0;
    const int previous = dc->stretchMode;
    dc->stretchMode = mode;
    return previous;
}

BOOL StretchBlt(HDC dest, int destX, int destY, int destWidth, int destHeight, HDC source,
                int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    if (dest == nullptr || dest->surface == nullptr || source == nullptr ||
        source->selected == nullptr || rop != SRCCOPY)
        return FALSE;
    if (destWidth != sourceWidth || destHeight != sourceHeight || destWidth < 0 || destHeight < 0)
        return FALSE;  // the system copies pixel for pixel only
    IDirectDrawSurface& surface = *dest->surface;
    const SDL_Surface* picture = source->selected->surface;
    // Clip both rectangles together, in 64 bits so no argument can overflow.
    long long x0 = 0, y0 = 0, x1 = destWidth, y1 = destHeight;  // offsets within the copy
    auto clip = [&](long long origin, long long limit, long long& lo, long long& hi) {
        if (origin + lo < 0) lo = -origin;
        if (origin + hi > limit) hi = limit - origin;
    };
    clip(sourceX, picture->w, x0, x1);
    clip(sourceY, picture->h, y0, y1);
    clip(destX, surface.width(), x0, x1);
    clip(destY, surface.height(), y0, y1);
    if (x0 >= x1 || y0 >= y1) return TRUE;
    const int count = static_cast<int>(x1 - x0);
    static std::vector<std::uint32_t> row;
    if (row.size() < static_cast<std::size_t>(count)) row.resize(static_cast<std::size_t>(count));
    const int bpp = surface.bitsPerPixel();
    const int bytes = pixel_format::BytesPerPixel(bpp);
    for (long long oy = y0; oy < y1; ++oy) {
        DecodePictureRow(*source->selected, static_cast<int>(sourceX + x0),
                         static_cast<int>(sourceY + oy), count, row.data());
        std::uint8_t* out =
            surface.pixels() + (destY + oy) * surface.pitch() + (destX + x0) * bytes;
        pixel_format::EncodeRow(bpp, row.data(), count, out);
    }
    return TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (dc == nullptr) return CLR_INVALID;
    if (dc->surface != nullptr) {
        IDirectDrawSurface& s = *dc->surface;
        if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return CLR_INVALID;
        const int bpp = s.bitsPerPixel();
        const pixel_format::Rgb c = pixel_format::DecodeColour(
            bpp, pixel_format::ReadRaw(s.pixels() + static_cast<std::ptrdiff_t>(y) * s.pitch() +
                                           x * pixel_format::BytesPerPixel(bpp),
                                       bpp));
        return RGB(c.r, c.g, c.b);
    }
    if (dc->selected != nullptr) {
        const SDL_Surface* p = dc->selected->surface;
        if (x < 0 || y < 0 || x >= p->w || y >= p->h) return CLR_INVALID;
        std::uint32_t v;
        DecodePictureRow(*dc->selected, x, y, 1, &v);
        return RGB(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF),
                   static_cast<int>(v & 0xFF));
    }
    return CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    if (dc == nullptr || dc->surface == nullptr || colour == CLR_INVALID) return CLR_INVALID;
    IDirectDrawSurface& s = *dc->surface;
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return CLR_INVALID;
    const int bpp = s.bitsPerPixel();
    const std::uint32_t raw =
        pixel_format::EncodeColour(bpp, GetRValue(colour), GetGValue(colour), GetBValue(colour));
    pixel_format::WriteRaw(s.pixels() + static_cast<std::ptrdiff_t>(y) * s.pitch() +
                               x * pixel_format::BytesPerPixel(bpp),
                           bpp, raw);
    const pixel_format::Rgb c = pixel_format::DecodeColour(bpp, raw);
    return RGB(c.r, c.g, c.b);
}

namespace {

// Draws one character cell, clipped to [clipL, clipR) x [clipT, clipB).
template <int kBytes>
void DrawCell(IDirectDrawSurface& s, const std::uint8_t* glyph, long long left, long long top,
              long long clipL, long long clipT, long long clipR, long long clipB, std::uint32_t ink,
              std::uint32_t paper) {
    const long long x0 = std::max(left, clipL),
                    x1 = std::min(left + bitmap_font::kCellWidth, clipR);
    const long long y0 = std::max(top, clipT), y1 = std::min(top + bitmap_font::kLineHeight, clipB);
    if (x0 >= x1) return;
    std::uint8_t* pixels = s.pixels();
    for (long long y = y0; y < y1; ++y) {
        const int gy = static_cast<int>(y - top) / bitmap_font::kScale - 1;  // a margin row on top
        const std::uint8_t bits =
            (gy >= 0 && gy < bitmap_font::kGlyphHeight) ? glyph[gy] : std::uint8_t{0};
        // One row of the cell in raw pixels, widened from the glyph's bits, copied in one move.
        std::uint8_t cell[bitmap_font::kCellWidth * kBytes];
        for (int cx = 0; cx < bitmap_font::kCellWidth; ++cx) {
            const int gx = cx / bitmap_font::kScale;
            const bool on = gx < bitmap_font::kGlyphWidth && ((bits >> (4 - gx)) & 1) != 0;
            pixel_format::WriteRaw(cell + cx * kBytes, kBytes * 8, on ? ink : paper);
        }
        std::memcpy(pixels + y * s.pitch() + x0 * kBytes, cell + (x0 - left) * kBytes,
                    static_cast<std::size_t>(x1 - x0) * kBytes);
    }
}

}  // namespace

int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format) {
    if (dc == nullptr || dc->surface == nullptr || text == nullptr || rect == nullptr) return 0;
    IDirectDrawSurface& s = *dc->surface;
    const int bpp = s.bitsPerPixel();
    const std::uint32_t ink = pixel_format::EncodeColour(bpp, 0, 0, 0);
    const std::uint32_t paper = pixel_format::EncodeColour(bpp, 255, 255, 255);
    // Everything drawn stays inside both the rectangle and the surface.
    const long long clipL = std::max<long long>(rect->left, 0);
    const long long clipT = std::max<long long>(rect->top, 0);
    const long long clipR = std::min<long long>(rect->right, s.width());
    const long long clipB = std::min<long long>(rect->bottom, s.height());
    long long lineTop = rect->top;
    long long column = 0;
    int lines = 1;
    // DT_WORDBREAK: a word that would run past the rectangle's right edge starts a new line (a
    // word longer than a line is broken where the line ends), and the spaces at a break go.
    const bool wrap = (format & DT_WORDBREAK) != 0;
    const long long lineCells = std::max<long long>(
        1, (static_cast<long long>(rect->right) - rect->left) / bitmap_font::kCellWidth);
    const auto ends = [&](int i) { return length < 0 ? text[i] == '\0' : i >= length; };
    for (int i = 0; !ends(i); ++i) {
        const char c = text[i];
        if (c == '\n') {
            lineTop += bitmap_font::kLineHeight;
            column = 0;
            ++lines;
            continue;
        }
        if (c == '\r') continue;
        if (wrap && c == ' ' && column >= lineCells) continue;
        if (wrap && column > 0) {
            long long word = 0;
            if (c != ' ' && (i == 0 || text[i - 1] == ' '))
                while (!ends(i + static_cast<int>(word)) && text[i + word] != ' ' &&
                       text[i + word] != '\n')
                    ++word;
            if (column + word > lineCells || column >= lineCells) {
                lineTop += bitmap_font::kLineHeight;
                column = 0;
                ++lines;
                if (c == ' ') continue;
            }
        }
        const long long cellLeft = rect->left + column * bitmap_font::kCellWidth;
        ++column;
        if (cellLeft >= clipR || lineTop >= clipB) continue;
        const std::uint8_t* glyph = bitmap_font::Glyph(c);
        switch (bpp) {
            case 8:
                DrawCell<1>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
            case 16:
                DrawCell<2>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
            case 24:
                DrawCell<3>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
            default:
                DrawCell<4>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
        }
    }
    return lines * bitmap_font::kLineHeight;
}
