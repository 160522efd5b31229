// Pictures loaded from BMP files and held in their own pixel format, read row by row as XRGB.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files/regular_file.h"
#include "platform/pictures/bmp_header.h"
#include "platform/pictures/gdi_objects.h"

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

}  // namespace

namespace platform_internal {

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
