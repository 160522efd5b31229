// Internal to src/platform/: the GDI objects' state, shared by the pictures (bmp_pictures.cpp),
// the device contexts and their pixels (gdi.cpp) and the text (text_drawing.cpp).
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

#include "platform/pictures/gdi.h"

class IDirectDrawSurface;

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

namespace platform_internal {

// Decodes count pixels of one picture row, starting at column x, to 0x00RRGGBB. The picture's
// alpha channel and blending play no part, as with a plain GDI copy.
void DecodePictureRow(const PictureObject& p, int x, int y, int count, std::uint32_t* out);

}  // namespace platform_internal
