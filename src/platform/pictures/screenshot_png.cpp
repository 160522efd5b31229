#include "platform/pictures/screenshot_png.h"

#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/pixel_format.h"
#include "platform/pictures/png_writer.h"

namespace screenshot_png {

std::string NameAt(std::time_t when, int attempt) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H-%M-%S", &local);
    char name[64];
    if (attempt > 1)
        std::snprintf(name, sizeof name, "vorn7-%s-%d.png", stamp, attempt);
    else
        std::snprintf(name, sizeof name, "vorn7-%s.png", stamp);
    return name;
}

bool WriteFrame(const IDirectDrawSurface& surface, std::FILE* file) {
    const int width = surface.width(), height = surface.height();
    PngWriter png(file, width, height, false);
    std::vector<std::uint32_t> xrgb(static_cast<std::size_t>(width));
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height && png.ok(); ++y) {
        pixel_format::DecodeRowToXrgb(
            surface.bitsPerPixel(),
            surface.pixels() + static_cast<std::ptrdiff_t>(y) * surface.pitch(), width,
            xrgb.data());
        for (std::size_t x = 0; x < xrgb.size(); ++x) {
            rgb[3 * x] = static_cast<unsigned char>(xrgb[x] >> 16);
            rgb[3 * x + 1] = static_cast<unsigned char>(xrgb[x] >> 8);
            rgb[3 * x + 2] = static_cast<unsigned char>(xrgb[x]);
        }
        png.WriteRow(rgb.data());
    }
    return png.Finish(true);
}

}  // namespace screenshot_png
