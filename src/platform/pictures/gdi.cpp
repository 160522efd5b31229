// Device contexts of surfaces and of pictures, the pixels through them (GetPixel, SetPixel), and
// pictures copied into surfaces (StretchBlt).
#include "platform/pictures/gdi.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/pixel_format.h"
#include "platform/pictures/gdi_objects.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

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
        platform_internal::DecodePictureRow(*source->selected, static_cast<int>(sourceX + x0),
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
        platform_internal::DecodePictureRow(*dc->selected, x, y, 1, &v);
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
