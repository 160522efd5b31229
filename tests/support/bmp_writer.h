// Writes BMP files in the formats the picture loader must accept (and some it must refuse),
// so tests can build any picture they need.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bmp_writer {

using Pixel = std::uint32_t;  // 0x00RRGGBB
using PixelAt = std::function<Pixel(int x, int y)>;

enum class Format {
    Indexed1,
    Indexed4,
    Indexed8,
    Rle8,
    Rgb555,
    Rgb565,  // BI_BITFIELDS
    Rgb24,
    Xrgb32,
    Argb32V5,  // V5 header with an alpha mask
};

struct Options {
    bool topDown = false;
    std::uint8_t alpha = 0xFF;  // for Argb32V5: the alpha of every pixel
};

std::vector<std::uint8_t> Encode(int width, int height, Format format, const PixelAt& pixel,
                                 Options options = {});
// The format's name, for test names.
std::string FormatName(Format format);
void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace bmp_writer
