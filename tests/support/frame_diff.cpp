#include "frame_diff.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/display/pixel_format.h"
#include "platform/pictures/png_writer.h"

namespace frame_diff {

Frame Keep(const test_seams::FrameView& view) {
    Frame f{view.width, view.height, view.frameNumber, {}};
    f.xrgb.resize(static_cast<std::size_t>(view.width) * view.height);
    for (int y = 0; y < view.height; ++y)
        pixel_format::DecodeRowToXrgb(view.bitsPerPixel, view.pixels + y * view.pitch, view.width,
                                      f.xrgb.data() + static_cast<std::size_t>(y) * view.width);
    return f;
}

std::string OutputFolder() {
    const char* set = std::getenv("VORN7_TEST_OUTPUT");
    const std::filesystem::path folder = set != nullptr ? set : VORN7_TEST_OUTPUT_DIR;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder.string();
}

std::string Write(const Frame& frame, const std::string& fileName) {
    const std::string path = (std::filesystem::path(OutputFolder()) / fileName).string();
    PngWriter png(path, frame.width, frame.height);
    std::vector<unsigned char> row(static_cast<std::size_t>(frame.width) * 4);
    for (int y = 0; y < frame.height && png.ok(); ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const std::uint32_t c = frame.xrgb[static_cast<std::size_t>(y) * frame.width + x];
            row[x * 4 + 0] = static_cast<unsigned char>(c >> 16);
            row[x * 4 + 1] = static_cast<unsigned char>(c >> 8);
            row[x * 4 + 2] = static_cast<unsigned char>(c);
            row[x * 4 + 3] = 255;
        }
        png.WriteRow(row.data());
    }
    png.Finish();
    return path;
}

bool Read(const std::string& path, Frame& frame) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB as a little-endian word
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    for (std::uint32_t& p : pixels) p &= 0xFFFFFFu;
    frame.width = static_cast<int>(image.width);
    frame.height = static_cast<int>(image.height);
    frame.xrgb = std::move(pixels);
    return true;
}

std::string Compare(const Frame& actual, const Frame& expected, const std::string& name) {
    std::string where;
    if (actual.width != expected.width || actual.height != expected.height) {
        where = "the sizes differ: " + std::to_string(actual.width) + " x " +
                std::to_string(actual.height) + " against " + std::to_string(expected.width) +
                " x " + std::to_string(expected.height);
    } else {
        for (std::size_t i = 0; i < actual.xrgb.size() && where.empty(); ++i) {
            if (actual.xrgb[i] == expected.xrgb[i]) continue;
            char text[160];
            std::snprintf(
                text, sizeof text, "first differing pixel (%zu, %zu): actual #%06x, expected #%06x",
                i % static_cast<std::size_t>(actual.width),
                i / static_cast<std::size_t>(actual.width), actual.xrgb[i], expected.xrgb[i]);
            where = text;
        }
    }
    if (where.empty()) return "";
    return where + "\n  actual frame " + std::to_string(actual.number) + ": " +
           Write(actual, name + "-actual.png") + "\n  expected frame " +
           std::to_string(expected.number) + ": " + Write(expected, name + "-expected.png");
}

}  // namespace frame_diff
