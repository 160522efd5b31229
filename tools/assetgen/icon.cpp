#include "icon.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace assetgen {
namespace {

// The walker facing right, first frame of its row: a 64 x 64 square.
constexpr int kFrameX = 1 + 65 * 4, kFrameY = 1, kFrameSize = 64;

bool WritePng(const std::vector<unsigned char>& rgba, int size, const std::string& path,
              std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        error = "cannot encode " + path;
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(size), static_cast<png_uint_32>(size), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < size; ++y)
        png_write_row(png, rgba.data() + static_cast<std::size_t>(y) * size * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

bool WriteIcons(const Canvas& sheet, const std::string& folder, std::string& error) {
    for (int size : kIconSizes) {
        // Nearest-pixel scaling keeps the pixel art crisp; see-through pixels become clear.
        std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * size * 4, 0);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const Colour c =
                    sheet.Get(kFrameX + x * kFrameSize / size, kFrameY + y * kFrameSize / size);
                unsigned char* p = rgba.data() + (static_cast<std::size_t>(y) * size + x) * 4;
                p[0] = static_cast<unsigned char>(c >> 16);
                p[1] = static_cast<unsigned char>(c >> 8);
                p[2] = static_cast<unsigned char>(c);
                p[3] = c == kKey ? 0 : 255;
            }
        const std::filesystem::path dir = std::filesystem::path(folder) /
                                          (std::to_string(size) + "x" + std::to_string(size)) /
                                          "apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (ec) {
            error = "cannot create " + dir.string();
            return false;
        }
        if (!WritePng(rgba, size, (dir / "vorn7.png").string(), error)) return false;
    }
    return true;
}

}  // namespace assetgen
