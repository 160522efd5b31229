// The one colour conversion of the emulated display. Every write of a colour into a surface
// (picture copies, SetPixel, text) goes through EncodeColour, so a picture pixel of the key
// colour arrives as exactly the raw value that measuring the key through SetPixel gives.
#pragma once

#include <cstdint>

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

int BytesPerPixel(int bpp);
std::uint32_t ReadRaw(const std::uint8_t* pixel, int bpp);
void WriteRaw(std::uint8_t* pixel, int bpp, std::uint32_t raw);

// Writes one row of 0x00RRGGBB colours, converted to the surface format, to dest.
void EncodeRow(int bpp, const std::uint32_t* rgb, int count, std::uint8_t* dest);
// Converts one surface row into 0x00RRGGBB for display.
void DecodeRowToXrgb(int bpp, const std::uint8_t* src, int count, std::uint32_t* dest);

}  // namespace pixel_format
