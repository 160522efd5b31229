// A surface of the emulated display: its memory in the mode's pixel format, its life, locks,
// device contexts, colour key, loss and restoring, and the flip. Its copies, with the opaque runs
// and the held-back background they read, are in surface_copies.cpp.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/display_state.h"
#include "platform/display/pixel_format.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

namespace {

// Every live surface, for test_seams::LoseAllSurfaces (kept in the tests' variant only).
std::vector<IDirectDrawSurface*> g_surfaces;

}  // namespace

namespace platform_internal {

void LoseEverySurface() {  // NOLINT: declared in platform_state.h
    for (IDirectDrawSurface* s : g_surfaces) s->markLost();
}

}  // namespace platform_internal

using platform_internal::g_display;

IDirectDrawSurface::IDirectDrawSurface(int width, int height, int bpp, DWORD caps)
    : width_(width),
      height_(height),
      bpp_(bpp),
      pitch_(((width * pixel_format::BytesPerPixel(bpp)) + 3) & ~3),
      caps_(caps),
      pixels_(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height) + 4, 0) {
    platform_internal::CountLive(&platform_internal::SeamState::liveSurfaces, +1);
    if constexpr (platform_internal::kTestSeams) g_surfaces.push_back(this);
    if (caps & DDSCAPS_BACKBUFFER) fill_.Reserve(height);
}

IDirectDrawSurface::~IDirectDrawSurface() {
    forget();
    platform_internal::CountLive(&platform_internal::SeamState::liveSurfaces, -1);
    if constexpr (platform_internal::kTestSeams)
        g_surfaces.erase(std::find(g_surfaces.begin(), g_surfaces.end(), this));
    if (dc_ != nullptr) platform_internal::GiveBackSurfaceDC(dc_);
    platform_internal::FreeSurfaceDC(dcCache_);
    if (clipper_ != nullptr) clipper_->Release();
    if (backBuffer_ != nullptr) {
        backBuffer_->primary_ = nullptr;
        backBuffer_->Release();
    }
    if (g_display.primary == this) g_display.primary = nullptr;
}

void IDirectDrawSurface::markLost() {
    forget();
    runsValid_ = false;
    lost_ = true;
    std::fill(pixels_.begin(), pixels_.end(), BYTE{0xCD});  // the memory is gone
}

ULONG IDirectDrawSurface::AddRef() {
    return ++refs_;
}

ULONG IDirectDrawSurface::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDrawSurface::IsLost() {
    return lost_ ? DDERR_SURFACELOST : DD_OK;
}

HRESULT IDirectDrawSurface::Restore() {
    if (platform_internal::InjectedAtThisCall(&test_seams::Faults::failRestoreNumber))
        return DDERR_GENERIC;
    if (bpp_ != g_display.bpp) return DDERR_INVALIDPIXELFORMAT;  // made for another mode
    lost_ = false;
    runsValid_ = false;
    if (backBuffer_ != nullptr) backBuffer_->lost_ = false;
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetClipper(IDirectDrawClipper* clipper) {
    if (clipper != nullptr) clipper->AddRef();
    if (clipper_ != nullptr) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
    if (key == nullptr) {
        hasKey_ = false;
        return DD_OK;
    }
    hasKey_ = true;
    // The key is compared with raw pixels of this surface's format.
    key_ = bpp_ == 32 ? key->dwColorSpaceLowValue : key->dwColorSpaceLowValue & ((1u << bpp_) - 1u);
    contentChanged();
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT) || key == nullptr) return DDERR_INVALIDPARAMS;
    if (!hasKey_) return DDERR_GENERIC;
    key->dwColorSpaceLowValue = key->dwColorSpaceHighValue = key_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached) {
    if (caps == nullptr || attached == nullptr) return DDERR_INVALIDPARAMS;
    if (!(caps->dwCaps & DDSCAPS_BACKBUFFER) || backBuffer_ == nullptr) return DDERR_GENERIC;
    backBuffer_->AddRef();
    *attached = backBuffer_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD, void*) {
    if (desc == nullptr || desc->dwSize != DDSURFACEDESC_SIZE || rect != nullptr)
        return DDERR_INVALIDPARAMS;
    if constexpr (platform_internal::kTestSeams) {
        auto& faults = platform_internal::Seams().faults;
        if (faults.lockStillDrawing > 0) {
            --faults.lockStillDrawing;
            return DDERR_WASSTILLDRAWING;
        }
    }
    if (lost_) return DDERR_SURFACELOST;
    if (locked_) return DDERR_GENERIC;
    settle();
    locked_ = true;
    runsValid_ = false;  // the caller may write
    desc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_CAPS;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->lpSurface = pixels_.data();
    desc->ddsCaps.dwCaps = caps_;
    DDPIXELFORMAT& pf = desc->ddpfPixelFormat;
    pf = {};
    pf.dwSize = sizeof(DDPIXELFORMAT);
    pf.dwRGBBitCount = static_cast<DWORD>(bpp_);
    pf.dwFlags = DDPF_RGB | (bpp_ == 8 ? DDPF_PALETTEINDEXED8 : 0);
    if (bpp_ == 16) {
        pf.dwRBitMask = 0xF800;
        pf.dwGBitMask = 0x07E0;
        pf.dwBBitMask = 0x001F;
    } else if (bpp_ > 16) {
        pf.dwRBitMask = 0xFF0000;
        pf.dwGBitMask = 0x00FF00;
        pf.dwBBitMask = 0x0000FF;
    }
    return DD_OK;
}

void IDirectDrawSurface::contentChanged() {
    settle();
    // Keyed sources work out their runs as soon as a write ends (a picture copied in), so no
    // frame ever has to.
    runsValid_ = false;
    if (hasKey_ && !lost_) Runs();
}

HRESULT IDirectDrawSurface::Unlock(void*) {
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    contentChanged();
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetDC(HDC* dc) {
    if (dc == nullptr) return DDERR_INVALIDPARAMS;
    if (platform_internal::Injected(&test_seams::Faults::failGetDC)) return DDERR_GENERIC;
    if (lost_) return DDERR_SURFACELOST;
    if (dc_ != nullptr) return DDERR_DCALREADYCREATED;
    settle();
    dc_ = platform_internal::TakeSurfaceDC(this, dcCache_);
    runsValid_ = false;
    *dc = dc_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::ReleaseDC(HDC dc) {
    if (dc == nullptr || dc != dc_) return DDERR_INVALIDPARAMS;
    platform_internal::GiveBackSurfaceDC(dc_);
    dc_ = nullptr;
    contentChanged();
    return DD_OK;
}

HRESULT IDirectDrawSurface::Flip(IDirectDrawSurface*, DWORD) {
    if (backBuffer_ == nullptr) return DDERR_NOTFLIPPABLE;
    if (lost_ || backBuffer_->lost_) return DDERR_SURFACELOST;
    if (platform_internal::Injected(&test_seams::Faults::failFlip)) return DDERR_GENERIC;
    settle();
    backBuffer_->settle();
    pixels_.swap(backBuffer_->pixels_);
    runsValid_ = backBuffer_->runsValid_ = false;
    platform_internal::PresentSurface(*this);
    return DD_OK;
}
