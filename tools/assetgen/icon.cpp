#include "icon.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/pictures/png_writer.h"

namespace assetgen {
namespace {

// The walker facing right, first frame of its row: a 64 x 64 square.
constexpr int kFrameX = 1 + 65 * 4, kFrameY = 1, kFrameSize = 64;

bool WritePng(const std::vector<unsigned char>& rgba, int size, const std::string& path,
              std::string& error) {
    PngWriter png(path, size, size);
    for (int y = 0; y < size && png.ok(); ++y)
        png.WriteRow(rgba.data() + static_cast<std::size_t>(y) * size * 4);
    if (!png.Finish()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
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
