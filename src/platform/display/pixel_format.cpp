#include "platform/display/pixel_format.h"

#include <array>
#include <cstring>

namespace pixel_format {
namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;  // 216
constexpr int kGreyCount = 39;                                      // indices 216..254

int CubeLevel(int i) {
    return i * 51;
}
int GreyLevel(int i) {
    return (i + 1) * 255 / (kGreyCount + 1);
}

std::array<Rgb, 256> BuildPalette() {
    std::array<Rgb, 256> p{};
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                p[static_cast<std::size_t>(r * 36 + g * 6 + b)] = {
                    static_cast<std::uint8_t>(CubeLevel(r)),
                    static_cast<std::uint8_t>(CubeLevel(g)),
                    static_cast<std::uint8_t>(CubeLevel(b))};
    for (int i = 0; i < kGreyCount; ++i) {
        auto v = static_cast<std::uint8_t>(GreyLevel(i));
        p[static_cast<std::size_t>(kCubeSize + i)] = {v, v, v};
    }
    p[kKeyPaletteIndex] = {kKeyRed, kKeyGreen, kKeyBlue};
    return p;
}

const std::array<Rgb, 256>& Palette() {
    static const std::array<Rgb, 256> palette = BuildPalette();
    return palette;
}

int Sq(int v) {
    return v * v;
}

// Nearest palette entry other than the key. The cube is separable, so rounding each channel
// finds its nearest member; for the greys the nearest level to the mean is the nearest grey.
std::uint8_t NearestPaletteIndex(int r, int g, int b) {
    if (r == kKeyRed && g == kKeyGreen && b == kKeyBlue) return kKeyPaletteIndex;
    const int cr = (r + 25) / 51, cg = (g + 25) / 51, cb = (b + 25) / 51;
    const int cubeIndex = cr * 36 + cg * 6 + cb;
    const int cubeDist = Sq(r - CubeLevel(cr)) + Sq(g - CubeLevel(cg)) + Sq(b - CubeLevel(cb));
    const int mean = (r + g + b) / 3;
    int best = -1, bestDist = cubeDist;
    // The grey levels are increasing: test the two around the mean.
    for (int i = 0; i < kGreyCount; ++i) {
        const int v = GreyLevel(i);
        if (v < mean - 7 || v > mean + 7) continue;
        const int d = Sq(r - v) + Sq(g - v) + Sq(b - v);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best < 0 ? cubeIndex : kCubeSize + best);
}

constexpr std::uint32_t kKeyXrgb = (kKeyRed << 16) | (kKeyGreen << 8) | kKeyBlue;

constexpr std::uint32_t Pack565(std::uint32_t c) {
    return ((c >> 8) & 0xF800u) | ((c >> 5) & 0x07E0u) | ((c >> 3) & 0x1Fu);
}

// RGB565 of a 0x00RRGGBB colour. The key's raw value is kept for the key alone: another colour
// that lands on it loses its lowest blue bit (31 -> 30). Branch-free, so rows vectorise.
inline std::uint32_t Encode565(std::uint32_t c) {
    constexpr std::uint32_t keyRaw = Pack565(kKeyXrgb);
    const std::uint32_t raw = Pack565(c);
    return raw ^ static_cast<std::uint32_t>(raw == keyRaw && c != kKeyXrgb);
}

// The 8-bit value of a 0x00RRGGBB colour (the key's index for the key alone).
std::uint8_t Encode8(std::uint32_t c) {
    return NearestPaletteIndex(static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 0xFF),
                               static_cast<int>(c & 0xFF));
}

}  // namespace

const Rgb& PaletteEntry(int index) {
    return Palette()[static_cast<std::size_t>(index & 0xFF)];
}

std::uint32_t EncodeColour(int bpp, int r, int g, int b) {
    const auto c = static_cast<std::uint32_t>(((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF));
    switch (bpp) {
        case 8:
            return Encode8(c);
        case 16:
            return Encode565(c);
        default:
            return c;
    }
}

Rgb DecodeColour(int bpp, std::uint32_t raw) {
    switch (bpp) {
        case 8:
            return PaletteEntry(static_cast<int>(raw & 0xFF));
        case 16: {
            const int r5 = static_cast<int>((raw >> 11) & 31),
                      g6 = static_cast<int>((raw >> 5) & 63), b5 = static_cast<int>(raw & 31);
            return {static_cast<std::uint8_t>((r5 << 3) | (r5 >> 2)),
                    static_cast<std::uint8_t>((g6 << 2) | (g6 >> 4)),
                    static_cast<std::uint8_t>((b5 << 3) | (b5 >> 2))};
        }
        default:
            return {static_cast<std::uint8_t>((raw >> 16) & 0xFF),
                    static_cast<std::uint8_t>((raw >> 8) & 0xFF),
                    static_cast<std::uint8_t>(raw & 0xFF)};
    }
}

void EncodeRow(int bpp, const std::uint32_t* rgb, int count, std::uint8_t* dest) {
    // 24 and 32 bits keep every colour as it is: straight loops the compiler vectorises (a
    // mode switch converts a megapixel of pictures).
    if (bpp == 32) {
        for (int i = 0; i < count; ++i) {
            const std::uint32_t v = rgb[i] & 0x00FFFFFFu;
            std::memcpy(dest + static_cast<std::ptrdiff_t>(i) * 4, &v, 4);
        }
        return;
    }
    if (bpp == 24) {
        for (int i = 0; i < count; ++i) {
            std::uint8_t* p = dest + static_cast<std::ptrdiff_t>(i) * 3;
            p[0] = static_cast<std::uint8_t>(rgb[i]);
            p[1] = static_cast<std::uint8_t>(rgb[i] >> 8);
            p[2] = static_cast<std::uint8_t>(rgb[i] >> 16);
        }
        return;
    }
    if (bpp == 16) {
        for (int i = 0; i < count; ++i) {
            const auto v = static_cast<std::uint16_t>(Encode565(rgb[i] & 0x00FFFFFFu));
            std::memcpy(dest + static_cast<std::ptrdiff_t>(i) * 2, &v, 2);
        }
        return;
    }
    // 8 bits. The nearest palette entry is a search; pictures use a few thousand colours at most,
    // so each is looked up in a fixed cache first (the palette never changes).
    struct Cached {
        std::uint32_t colour = 0xFFFFFFFFu;
        std::uint8_t index = 0;
    };
    static std::array<Cached, 4096> cache;
    std::uint32_t last = 0xFFFFFFFFu;
    std::uint8_t index = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t c = rgb[i] & 0x00FFFFFFu;
        if (c != last) {  // neighbours mostly share their colour
            Cached& slot = cache[(c * 2654435761u) >> 20];
            if (slot.colour != c) {
                slot.colour = c;
                slot.index = Encode8(c);
            }
            last = c;
            index = slot.index;
        }
        dest[i] = index;
    }
}

void DecodeRowToXrgb(int bpp, const std::uint8_t* src, int count, std::uint32_t* dest) {
    if (bpp == 32) {
        std::memcpy(dest, src, static_cast<std::size_t>(count) * 4);
        return;
    }
    const int step = BytesPerPixel(bpp);
    for (int i = 0; i < count; ++i) {
        const Rgb c = DecodeColour(bpp, ReadRaw(src + i * step, bpp));
        dest[i] = static_cast<std::uint32_t>((c.r << 16) | (c.g << 8) | c.b);
    }
}

}  // namespace pixel_format
