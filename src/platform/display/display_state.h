// Internal to src/platform/: the emulated display's mode, the device holding it and the flip
// chain's primary surface, kept by the device (ddraw_device.cpp) and read by its surfaces.
#pragma once

class IDirectDraw;
class IDirectDrawSurface;

namespace platform_internal {

struct Display {
    int width = 0;
    int height = 0;
    int bpp = 0;
    IDirectDraw* owner = nullptr;  // the device holding exclusive mode
    IDirectDrawSurface* primary = nullptr;
};
// The one display; a device's last Release empties it.
extern Display g_display;

}  // namespace platform_internal
