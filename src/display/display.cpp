#include "display/display.h"

#include "platform/display/pixel_format.h"
#include "platform/pictures/gdi.h"

DisplayModeRecord DisplayMode{32, 800, 600};
IDirectDraw* DisplayDevice = nullptr;
IDirectDrawSurface* FrontSurface = nullptr;
IDirectDrawSurface* BackSurface = nullptr;
DWORD TransparentColour = 0;

std::int32_t InitDisplay(HWND window) {
    if (DirectDrawCreate(nullptr, &DisplayDevice, nullptr) < 0) return 0;
    if (DisplayDevice->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) < 0)
        return 0;
    if (DisplayDevice->SetDisplayMode(static_cast<DWORD>(DisplayMode.width),
                                      static_cast<DWORD>(DisplayMode.height),
                                      static_cast<DWORD>(DisplayMode.colourDepth)) < 0)
        return 0;
    return CreateFlipChain(window) ? 1 : 0;
}

std::int32_t CreateFlipChain(HWND window) {
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    if (DisplayDevice->CreateSurface(&desc, &FrontSurface, nullptr) < 0) return 0;
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    if (FrontSurface->GetAttachedSurface(&caps, &BackSurface) < 0) return 0;
    IDirectDrawClipper* clipper = nullptr;
    if (DisplayDevice->CreateClipper(0, &clipper, nullptr) < 0) return 0;
    // The back buffer holds the clipper from here on; our own reference is handed over.
    const bool bound = clipper->SetHWnd(0, window) >= 0 && BackSurface->SetClipper(clipper) >= 0;
    clipper->Release();
    if (!bound) return 0;
    TransparentColour = MatchColour(
        RGB(pixel_format::kKeyRed, pixel_format::kKeyGreen, pixel_format::kKeyBlue), FrontSurface);
    return 1;
}

DWORD MatchColour(COLORREF colour, IDirectDrawSurface* surface) {
    COLORREF remembered = CLR_INVALID;
    bool haveRemembered = false;
    HDC dc = nullptr;
    if (colour != CLR_INVALID && surface->GetDC(&dc) >= 0) {
        remembered = GetPixel(dc, 0, 0);
        haveRemembered = true;
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    HRESULT hr;
    while ((hr = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    DWORD result = kColourUnmatched;
    if (hr >= 0) {
        const auto* p = static_cast<const BYTE*>(desc.lpSurface);
        DWORD value = static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
                      (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
        const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        if (bits != 32) value &= (1u << bits) - 1u;
        result = value;
        surface->Unlock(nullptr);
    }
    if (haveRemembered && surface->GetDC(&dc) >= 0) {
        SetPixel(dc, 0, 0, remembered);
        surface->ReleaseDC(dc);
    }
    return result;
}

IDirectDrawSurface* CreateOffscreenSurface(std::int32_t width, std::int32_t height) {
    if (DisplayDevice == nullptr) return nullptr;
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwHeight = static_cast<DWORD>(height);
    desc.dwWidth = static_cast<DWORD>(width);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface* surface = nullptr;
    return DisplayDevice->CreateSurface(&desc, &surface, nullptr) >= 0 ? surface : nullptr;
}

void ReleaseFlipChain() {
    if (BackSurface != nullptr) BackSurface->Release();
    if (FrontSurface != nullptr) FrontSurface->Release();
    BackSurface = nullptr;
    FrontSurface = nullptr;
}

void ReleaseDisplayDevice() {
    if (DisplayDevice != nullptr) DisplayDevice->Release();
    DisplayDevice = nullptr;
}
