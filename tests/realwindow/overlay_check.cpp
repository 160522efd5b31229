// Checks a screenshot (binary PPM) for the overlay's text: at (left, top) the cells of text must
// show the typeface's ink and paper (dark and light pixels where the glyphs say), at scale 1.
//   overlay_check SHOT.ppm LEFT TOP "TEXT"     exit 0 when the text is there
//   overlay_check SHOT.ppm --pixel X Y         prints the pixel's R G B
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/pictures/bitmap_font.h"

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    }
};

bool Read(const char* path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || image.width <= 0 || image.height <= 0) return false;
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()),
            static_cast<std::streamsize>(image.rgb.size()));
    return static_cast<bool>(in);
}

}  // namespace

int main(int argc, char** argv) {
    Image image;
    if (argc < 4 || !Read(argv[1], image)) {
        std::fprintf(stderr, "usage: overlay_check SHOT.ppm LEFT TOP TEXT | --pixel X Y\n");
        return 2;
    }
    if (!std::strcmp(argv[2], "--pixel")) {
        const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) return 2;
        const unsigned char* p = image.At(x, y);
        std::printf("%d %d %d\n", p[0], p[1], p[2]);
        return 0;
    }
    if (argc != 5) return 2;
    const int left = std::atoi(argv[2]), top = std::atoi(argv[3]);
    const std::string text = argv[4];
    int wrong = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t* glyph = bitmap_font::Glyph(text[i]);
        for (int cy = 0; cy < bitmap_font::kLineHeight; ++cy)
            for (int cx = 0; cx < bitmap_font::kCellWidth; ++cx) {
                const int x = left + static_cast<int>(i) * bitmap_font::kCellWidth + cx,
                          y = top + cy;
                if (x >= image.width || y >= image.height) return 1;
                const int gy = cy / bitmap_font::kScale - 1, gx = cx / bitmap_font::kScale;
                const bool ink = gy >= 0 && gy < bitmap_font::kGlyphHeight &&
                                 gx < bitmap_font::kGlyphWidth &&
                                 ((glyph[gy] >> (4 - gx)) & 1) != 0;
                const unsigned char* p = image.At(x, y);
                const int light = (p[0] + p[1] + p[2]) / 3;
                if (ink ? light > 80 : light < 170) ++wrong;
            }
    }
    if (wrong > 0) {
        std::fprintf(stderr, "overlay_check: \"%s\" not found at %d,%d (%d pixels differ)\n",
                     text.c_str(), left, top, wrong);
        return 1;
    }
    return 0;
}
