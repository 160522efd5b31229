#include "platform/bmp_header.h"

namespace bmp_header {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) |
           (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

Check Refuse(const char* reason) {
    return {false, reason, 0, 0, 0};
}

}  // namespace

Check Inspect(const std::uint8_t* b, std::size_t available, std::uint64_t fileSize) {
    if (fileSize == 0) return Refuse("the file is empty");
    if (available < 2 || b[0] != 'B' || b[1] != 'M') return Refuse("not a BMP file");
    if (available < 26) return Refuse("the BMP header is truncated");
    const std::uint32_t dataOffset = U32(b + 10);
    const std::uint32_t infoSize = U32(b + 14);
    std::int64_t width = 0, height = 0;
    int bpp = 0;
    if (infoSize == 12) {  // the old OS/2 core header
        width = U16(b + 18);
        height = static_cast<std::int16_t>(U16(b + 20));
        bpp = U16(b + 24);
    } else if (infoSize >= 40) {
        if (available < 34) return Refuse("the BMP header is truncated");
        width = static_cast<std::int32_t>(U32(b + 18));
        height = static_cast<std::int32_t>(U32(b + 22));
        bpp = U16(b + 28);
    } else {
        return Refuse("unknown BMP header");
    }
    if (fileSize < 14u + infoSize) return Refuse("the BMP header is truncated");
    if (width <= 0 || height == 0) return Refuse("the picture has no pixels");
    if (height < 0) {
        // Compressed pictures are stored bottom-up only.
        const std::uint32_t compression = infoSize >= 40 && available >= 34 ? U32(b + 30) : 0;
        if (compression == 1 || compression == 2)
            return Refuse("a top-down compressed BMP is not valid");
        height = -height;
    }
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return Refuse("the picture is too large (over 16384 on a side or 64 million pixels)");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return Refuse("unsupported bits per pixel");
    if (dataOffset >= fileSize) return Refuse("the pixel data is missing");
    return {true, nullptr, static_cast<int>(width), static_cast<int>(height), bpp};
}

}  // namespace bmp_header
