// The one colour conversion of the emulated display. Every write of a colour into a surface
// (picture copies, SetPixel, text) goes through EncodeColour, so a picture pixel of the key
// colour arrives as exactly the raw value that measuring the key through SetPixel gives. Used by
// the platform's surfaces, pictures, text and presenter, and by the display's key measurement.
#pragma once

#include <cstdint>
#include <cstring>

namespace pixel_format {

// The see-through colour of every picture: RGB(189,198,255).
constexpr int kKeyRed = 189;
constexpr int kKeyGreen = 198;
constexpr int kKeyBlue = 255;

struct Rgb {
    std::uint8_t r, g, b;
};

// The fixed 8-bit palette: a 6x6x6 colour cube, 39 greys, and the key colour at index 255.
const Rgb& PaletteEntry(int index);
constexpr int kKeyPaletteIndex = 255;

// Raw pixel value (bpp 8, 16, 24 or 32) for an RGB colour. The raw value of the key colour is
// reserved for it: any other colour that would land on it is moved to a neighbouring value.
std::uint32_t EncodeColour(int bpp, int r, int g, int b);
// The colour a raw value shows as (what GetPixel reads back).
Rgb DecodeColour(int bpp, std::uint32_t raw);

constexpr int BytesPerPixel(int bpp) {
    return (bpp + 7) / 8;
}

inline std::uint32_t ReadRaw(const std::uint8_t* p, int bpp) {
    switch (bpp) {
        case 8:
            return p[0];
        case 16:
            return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
        case 24:
            return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
        default: {
            std::uint32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
    }
}

inline void WriteRaw(std::uint8_t* p, int bpp, std::uint32_t raw) {
    switch (bpp) {
        case 8:
            p[0] = static_cast<std::uint8_t>(raw);
            break;
        case 16:
            p[0] = static_cast<std::uint8_t>(raw);
            p[1] = static_cast<std::uint8_t>(raw >> 8);
            break;
        case 24:
            p[0] = static_cast<std::uint8_t>(raw);
            p[1] = static_cast<std::uint8_t>(raw >> 8);
            p[2] = static_cast<std::uint8_t>(raw >> 16);
            break;
        default:
            raw &= 0x00FFFFFFu;  // the top byte of an XRGB pixel is always 0
            std::memcpy(p, &raw, 4);
            break;
    }
}

// Writes one row of 0x00RRGGBB colours, converted to the surface format (bpp 8, 16, 24 or 32),
// to dest: each pixel as EncodeColour gives it. Picture copies into surfaces call it.
void EncodeRow(int bpp, const std::uint32_t* rgb, int count, std::uint8_t* dest);
// Converts one surface row into 0x00RRGGBB for display.
void DecodeRowToXrgb(int bpp, const std::uint8_t* src, int count, std::uint32_t* dest);

}  // namespace pixel_format
