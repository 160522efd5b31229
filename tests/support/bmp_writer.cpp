#include "bmp_writer.h"

#include <fstream>
#include <map>
#include <stdexcept>

namespace bmp_writer {
namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

int BitsOf(Format f) {
    switch (f) {
        case Format::Indexed1:
            return 1;
        case Format::Indexed4:
            return 4;
        case Format::Indexed8:
        case Format::Rle8:
            return 8;
        case Format::Rgb555:
        case Format::Rgb565:
            return 16;
        case Format::Rgb24:
            return 24;
        default:
            return 32;
    }
}

}  // namespace

std::vector<std::uint8_t> Encode(int width, int height, Format format, const PixelAt& pixel,
                                 Options options) {
    const int bits = BitsOf(format);
    const bool indexed = bits <= 8;
    std::map<Pixel, int> palette;
    if (indexed) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) palette.emplace(pixel(x, y), 0);
        if (palette.size() > (1u << bits)) throw std::runtime_error("too many colours");
        int i = 0;
        for (auto& [c, index] : palette) index = i++;
    }
    const bool v5 = format == Format::Argb32V5;
    const bool bitfields = format == Format::Rgb565 || v5;
    const std::uint32_t infoSize = v5 ? 124 : 40;
    const std::uint32_t paletteBytes = indexed ? (1u << bits) * 4 : 0;
    const std::uint32_t extraMasks = (bitfields && !v5) ? 12 : 0;
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, 0);  // file size, set below
    Put32(b, 0);
    Put32(b, 14 + infoSize + extraMasks + paletteBytes);
    Put32(b, infoSize);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(options.topDown ? -height : height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, format == Format::Rle8 ? 1u : (bitfields ? 3u : 0u));
    Put32(b, 0);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, indexed ? (1u << bits) : 0);
    Put32(b, 0);
    if (v5) {
        Put32(b, 0x00FF0000);
        Put32(b, 0x0000FF00);
        Put32(b, 0x000000FF);
        Put32(b, 0xFF000000);
        Put32(b, 0x73524742);                             // 'sRGB'
        for (int i = 0; i < 9 + 3 + 4; ++i) Put32(b, 0);  // endpoints, gamma, intent, profile
    } else if (bitfields) {
        Put32(b, 0xF800);
        Put32(b, 0x07E0);
        Put32(b, 0x001F);
    }
    if (indexed) {
        std::vector<Pixel> entries(1u << bits, 0);
        for (auto& [c, index] : palette) entries[static_cast<std::size_t>(index)] = c;
        for (Pixel c : entries) Put32(b, c & 0xFFFFFF);
    }
    for (int row = 0; row < height; ++row) {
        const int y = options.topDown ? row : height - 1 - row;
        if (format == Format::Rle8) {
            for (int x = 0; x < width; ++x) {
                b.push_back(1);
                b.push_back(static_cast<std::uint8_t>(palette[pixel(x, y)]));
            }
            b.push_back(0);
            b.push_back(row == height - 1 ? 1 : 0);  // end of line, or of the picture
            continue;
        }
        std::vector<std::uint8_t> line;
        std::uint32_t acc = 0;
        int accBits = 0;
        for (int x = 0; x < width; ++x) {
            const Pixel c = pixel(x, y);
            const std::uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, bl = c & 0xFF;
            switch (format) {
                case Format::Indexed1:
                case Format::Indexed4:
                case Format::Indexed8:
                    acc = (acc << bits) | static_cast<std::uint32_t>(palette[c]);
                    accBits += bits;
                    if (accBits == 8) {
                        line.push_back(static_cast<std::uint8_t>(acc));
                        acc = 0;
                        accBits = 0;
                    }
                    break;
                case Format::Rgb555:
                    Put16(line, ((r >> 3) << 10) | ((g >> 3) << 5) | (bl >> 3));
                    break;
                case Format::Rgb565:
                    Put16(line, ((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3));
                    break;
                case Format::Rgb24:
                    line.push_back(static_cast<std::uint8_t>(bl));
                    line.push_back(static_cast<std::uint8_t>(g));
                    line.push_back(static_cast<std::uint8_t>(r));
                    break;
                case Format::Xrgb32:
                    Put32(line, c & 0xFFFFFF);
                    break;
                default:
                    Put32(line, (c & 0xFFFFFF) | (static_cast<std::uint32_t>(options.alpha) << 24));
                    break;
            }
        }
        if (accBits > 0) line.push_back(static_cast<std::uint8_t>(acc << (8 - accBits)));
        while (line.size() % 4 != 0) line.push_back(0);
        b.insert(b.end(), line.begin(), line.end());
    }
    if (format == Format::Rle8 && height == 0) {
        b.push_back(0);
        b.push_back(1);
    }
    Set32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

std::string FormatName(Format format) {
    static const char* const kNames[] = {"Indexed1", "Indexed4", "Indexed8", "Rle8",    "Rgb555",
                                         "Rgb565",   "Rgb24",    "Xrgb32",   "Argb32V5"};
    return kNames[static_cast<int>(format)];
}

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace bmp_writer
