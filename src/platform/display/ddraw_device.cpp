// The display object: the twelve modes, exclusive mode, and the surfaces and clippers it makes.
#include <cstddef>

#include "platform/display/ddraw.h"
#include "platform/display/display_state.h"
#include "platform/display/surface_memory.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

namespace {

constexpr int kWidths[3] = {640, 800, 1024};
constexpr int kHeights[3] = {480, 600, 768};
constexpr int kDepths[4] = {8, 16, 24, 32};

}  // namespace

namespace platform_internal {

Display g_display;

int ModeIndex(int width, int height, int bpp) {
    int r = -1, d = -1;
    for (int i = 0; i < 3; ++i)
        if (kWidths[i] == width && kHeights[i] == height) r = i;
    for (int i = 0; i < 4; ++i)
        if (kDepths[i] == bpp) d = i;
    return (r < 0 || d < 0) ? -1 : r * 4 + d;
}

}  // namespace platform_internal

using platform_internal::Display;
using platform_internal::g_display;

HRESULT DirectDrawCreate(void*, IDirectDraw** device, void*) {
    if (device == nullptr) return DDERR_INVALIDPARAMS;
    *device = nullptr;
    if (platform_internal::Injected(&test_seams::Faults::failDirectDrawCreate))
        return DDERR_GENERIC;
    platform_internal::KeepSurfaceMemoryInTheHeap();
    *device = new IDirectDraw;
    platform_internal::CountLive(&platform_internal::SeamState::liveDevices, +1);
    return DD_OK;
}

ULONG IDirectDraw::Release() {
    const ULONG left = --refs_;
    if (left == 0) {
        if (g_display.owner == this) g_display = Display{};
        platform_internal::CountLive(&platform_internal::SeamState::liveDevices, -1);
        delete this;
    }
    return left;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    if (platform_internal::Injected(&test_seams::Faults::failSetCooperativeLevel))
        return DDERR_GENERIC;
    if (window == nullptr || window != platform_internal::TheWindow()) return DDERR_INVALIDPARAMS;
    if ((flags & (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)) != (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN))
        return DDERR_INVALIDPARAMS;
    exclusive_ = true;
    g_display.owner = this;
    return DD_OK;
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    if (platform_internal::Injected(&test_seams::Faults::failSetDisplayMode)) return DDERR_GENERIC;
    if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
    const int index = platform_internal::ModeIndex(
        static_cast<int>(width), static_cast<int>(height), static_cast<int>(bitsPerPixel));
    if (index < 0) return DDERR_INVALIDMODE;
    if constexpr (platform_internal::kTestSeams)
        if (platform_internal::Seams().refusedModes[static_cast<std::size_t>(index)])
            return DDERR_INVALIDMODE;
    g_display.width = static_cast<int>(width);
    g_display.height = static_cast<int>(height);
    g_display.bpp = static_cast<int>(bitsPerPixel);
    modeSet_ = true;
    return DD_OK;
}

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void*) {
    if (desc == nullptr || surface == nullptr || desc->dwSize != DDSURFACEDESC_SIZE)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (platform_internal::Injected(&test_seams::Faults::failCreateSurface) ||
        platform_internal::InjectedAtThisCall(&test_seams::Faults::failSurfaceCreationNumber))
        return DDERR_OUTOFMEMORY;
    if (!modeSet_ || g_display.owner != this) return DDERR_NOEXCLUSIVEMODE;
    const DWORD caps = desc->ddsCaps.dwCaps;
    if (caps & DDSCAPS_PRIMARYSURFACE) {
        const bool flipChain = (caps & DDSCAPS_FLIP) && (caps & DDSCAPS_COMPLEX) &&
                               (desc->dwFlags & DDSD_BACKBUFFERCOUNT) &&
                               desc->dwBackBufferCount == 1;
        if (!flipChain || g_display.primary != nullptr) return DDERR_INVALIDPARAMS;
        auto* front = new IDirectDrawSurface(g_display.width, g_display.height, g_display.bpp,
                                             caps | DDSCAPS_FRONTBUFFER);
        auto* back = new IDirectDrawSurface(g_display.width, g_display.height, g_display.bpp,
                                            DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
        front->backBuffer_ = back;
        back->primary_ = front;
        g_display.primary = front;
        *surface = front;
        return DD_OK;
    }
    if (!(caps & DDSCAPS_OFFSCREENPLAIN) || !(desc->dwFlags & DDSD_WIDTH) ||
        !(desc->dwFlags & DDSD_HEIGHT))
        return DDERR_INVALIDPARAMS;
    if (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > 16384 ||
        desc->dwHeight > 16384)
        return DDERR_INVALIDPARAMS;
    *surface = new IDirectDrawSurface(static_cast<int>(desc->dwWidth),
                                      static_cast<int>(desc->dwHeight), g_display.bpp, caps);
    return DD_OK;
}

HRESULT IDirectDraw::CreateClipper(DWORD, IDirectDrawClipper** clipper, void*) {
    if (clipper == nullptr) return DDERR_INVALIDPARAMS;
    *clipper = nullptr;
    if (platform_internal::Injected(&test_seams::Faults::failCreateClipper)) return DDERR_GENERIC;
    *clipper = new IDirectDrawClipper;
    platform_internal::CountLive(&platform_internal::SeamState::liveClippers, +1);
    return DD_OK;
}
