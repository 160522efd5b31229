// libFuzzer target: any bytes as a picture file, loaded through the program's picture path and
// copied into a surface of every depth, clipped rectangles included.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "display/display.h"
#include "graphics/bitmap.h"
#include "platform/seams/test_seams.h"
#include "shell/shell_globals.h"
#include "shell/start_up.h"

namespace {

bool OpenDisplay() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    test_seams::SetPacing(false);
    MainWindow = CreateMainWindow("Vorn7 Development", nullptr);
    return MainWindow != nullptr && InitDisplay(MainWindow) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = OpenDisplay();
    static const std::string path =
        "/tmp/vorn7-fuzz-picture-" + std::to_string(::getpid()) + ".bmp";
    if (!ready) std::abort();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    Bitmap picture;
    if (picture.Load(path.c_str()) == 0) return 0;
    // Rectangles inside, across and outside the picture's edges.
    const int x = size > 0 ? data[0] % 64 - 16 : 0, y = size > 1 ? data[1] % 64 - 16 : 0;
    for (int depth : {8, 16, 24, 32}) {
        if (DisplayDevice->SetDisplayMode(640, 480, static_cast<DWORD>(depth)) < 0) std::abort();
        DDSURFACEDESC desc{};
        desc.dwSize = DDSURFACEDESC_SIZE;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = 48;
        desc.dwHeight = 40;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        IDirectDrawSurface* surface = nullptr;
        if (DisplayDevice->CreateSurface(&desc, &surface, nullptr) < 0) std::abort();
        picture.CopyTo(surface, 48, 40, x, y);
        picture.CopyTo(surface, 64, 64, picture.width() - 8, picture.height() - 8);
        surface->Release();
    }
    return 0;
}
