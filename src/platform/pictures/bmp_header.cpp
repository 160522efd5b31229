#include "platform/pictures/bmp_header.h"

namespace bmp_header {
namespace {

// The compressions the loader decodes.
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

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
    const std::uint64_t dataOffset = U32(b + 10);
    const std::uint64_t infoSize = U32(b + 14);
    std::int64_t width = 0, height = 0;
    int bpp = 0;
    std::uint32_t compression = kRgb;
    if (infoSize == 12) {  // the OS/2 core header: unsigned 16-bit sizes, never compressed
        width = U16(b + 18);
        height = U16(b + 20);
        bpp = U16(b + 24);
    } else if (infoSize >= 40) {
        if (available < 34) return Refuse("the BMP header is truncated");
        width = static_cast<std::int32_t>(U32(b + 18));
        height = static_cast<std::int32_t>(U32(b + 22));
        bpp = U16(b + 28);
        compression = U32(b + 30);
    } else {
        return Refuse("unknown BMP header");
    }
    if (fileSize < 14 + infoSize) return Refuse("the BMP header is truncated");
    if (compression != kRgb && compression != kRle8 && compression != kRle4 &&
        compression != kBitfields)
        return Refuse("unsupported BMP compression");
    if (width <= 0 || height == 0) return Refuse("the picture has no pixels");
    if (height < 0) {
        // Compressed pictures are stored bottom-up only.
        if (compression == kRle8 || compression == kRle4)
            return Refuse("a top-down compressed BMP is not valid");
        height = -height;
    }
    if (width > kMaxSide || height > kMaxSide)
        return Refuse("the picture is too large (over 8192 on a side)");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return Refuse("unsupported bits per pixel");
    if ((compression == kRle8 && bpp != 8) || (compression == kRle4 && bpp != 4) ||
        (compression == kBitfields && bpp != 16 && bpp != 32))
        return Refuse("the compression does not suit the bits per pixel");
    if (dataOffset >= fileSize) return Refuse("the pixel data is missing");
    if (compression == kRgb || compression == kBitfields) {
        const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
        if (rowBytes * static_cast<std::uint64_t>(height) > fileSize - dataOffset)
            return Refuse("the pixel data is truncated");
    }
    return {true, nullptr, static_cast<int>(width), static_cast<int>(height), bpp};
}

}  // namespace bmp_header
