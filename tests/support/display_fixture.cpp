#include "display_fixture.h"

#include <cstdlib>

#include "display/display.h"
#include "platform/display/pixel_format.h"
#include "platform/seams/test_seams.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "shell/shell_globals.h"
#include "shell/start_up.h"

namespace display_fixture {

bool Open(int width, int height, int depth) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    test_seams::SetPacing(false);
    DisplayMode = {depth, width, height};
    MainWindow = CreateMainWindow("Vorn7 Development", nullptr);
    if (MainWindow == nullptr) return false;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    return InitDisplay(MainWindow) != 0;
}

void Close() {
    if (MainWindow != nullptr) DestroyWindow(MainWindow);
    MainWindow = nullptr;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

IDirectDrawSurface* MakeSurface(int width, int height) {
    return CreateOffscreenSurface(width, height);
}

void Fill(IDirectDrawSurface* s, std::uint32_t raw) {
    for (int y = 0; y < s->height(); ++y)
        for (int x = 0; x < s->width(); ++x) SetRaw(s, x, y, raw);
}

std::uint32_t RawAt(IDirectDrawSurface* s, int x, int y) {
    return pixel_format::ReadRaw(
        s->pixels() + y * s->pitch() + x * pixel_format::BytesPerPixel(s->bitsPerPixel()),
        s->bitsPerPixel());
}

void SetRaw(IDirectDrawSurface* s, int x, int y, std::uint32_t raw) {
    pixel_format::WriteRaw(
        s->pixels() + y * s->pitch() + x * pixel_format::BytesPerPixel(s->bitsPerPixel()),
        s->bitsPerPixel(), raw);
}

std::uint32_t RawOf(int r, int g, int b) {
    return pixel_format::EncodeColour(DisplayMode.colourDepth, r, g, b);
}

}  // namespace display_fixture
