// The emulated DirectDraw display: surfaces hold the mode's real pixel format in memory. Their
// copies live here too, beside the runs and the held-back background they read: split into a
// file of their own they ran about 1 % slower (bench/compare-variants, in turn, 7 runs).
#include "platform/display/ddraw.h"

#include <algorithm>
#include <cstring>

#include "platform/display/pixel_format.h"
#include "platform/display/surface_memory.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

namespace {

struct Display {
    int width = 0;
    int height = 0;
    int bpp = 0;
    IDirectDraw* owner = nullptr;  // the device holding exclusive mode
    IDirectDrawSurface* primary = nullptr;
};
Display g_display;
// Every live surface, for test_seams::LoseAllSurfaces (kept in the tests' variant only).
std::vector<IDirectDrawSurface*> g_surfaces;

constexpr int kWidths[3] = {640, 800, 1024};
constexpr int kHeights[3] = {480, 600, 768};
constexpr int kDepths[4] = {8, 16, 24, 32};

// Intersects r with [0, w) x [0, h).
RECT ClipTo(const RECT& r, int w, int h) {
    return {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, w),
            std::min<LONG>(r.bottom, h)};
}

}  // namespace

namespace platform_internal {

int ModeIndex(int width, int height, int bpp) {
    int r = -1, d = -1;
    for (int i = 0; i < 3; ++i)
        if (kWidths[i] == width && kHeights[i] == height) r = i;
    for (int i = 0; i < 4; ++i)
        if (kDepths[i] == bpp) d = i;
    return (r < 0 || d < 0) ? -1 : r * 4 + d;
}

void LoseEverySurface() {  // NOLINT: declared in platform_state.h
    for (IDirectDrawSurface* s : g_surfaces) s->markLost();
}

}  // namespace platform_internal

// ---- Clipper ----

IDirectDrawClipper::~IDirectDrawClipper() {
    platform_internal::CountLive(&platform_internal::SeamState::liveClippers, -1);
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND window) {
    window_ = window;
    return DD_OK;
}

ULONG IDirectDrawClipper::AddRef() {
    return ++refs_;
}

ULONG IDirectDrawClipper::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

// ---- Surface ----

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

const OpaqueRuns& IDirectDrawSurface::Runs() const {
    if (!runsValid_) {
        runs_.Build(pixels_.data(), pitch_, width_, height_, pixel_format::BytesPerPixel(bpp_),
                    key_);
        runsValid_ = true;
    }
    return runs_;
}

void IDirectDrawSurface::finishWaiting() {
    waiting_ = nullptr;
    fill_.Finish();
}

void IDirectDrawSurface::forget() {
    if (waiting_ == this) {
        waiting_ = nullptr;
        fill_.Drop();
    }
    settle();  // a surface holding back a copy from this one still needs its pixels
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

bool IDirectDrawSurface::keyed(const IDirectDrawSurface& source, bool useKey) const {
    // A source without a single key pixel is copied like an unkeyed one.
    return useKey && source.hasKey_ && source.Runs().anyKeyPixel();
}

void IDirectDrawSurface::keyedCopy(const RECT& dest, const IDirectDrawSurface& source,
                                   const RECT& sourceRect, bool keyedSource) {
    const int bytes = pixel_format::BytesPerPixel(bpp_);
    const int w = dest.right - dest.left;
    const int rows = dest.bottom - dest.top;
    // Everything in locals: byte stores may alias any object, so members read inside the loops
    // would be loaded again for every row.
    const std::ptrdiff_t dPitch = pitch_, sPitch = source.pitch_;
    BYTE* d = pixels_.data() + static_cast<std::ptrdiff_t>(dest.top) * dPitch +
              static_cast<std::ptrdiff_t>(dest.left) * bytes;
    const BYTE* s = source.pixels_.data() + static_cast<std::ptrdiff_t>(sourceRect.top) * sPitch +
                    static_cast<std::ptrdiff_t>(sourceRect.left) * bytes;
    if (!keyedSource)
        CopyWholeRows(d, dPitch, s, sPitch, rows, w * bytes);
    else
        CopyOpaqueRows(d, dPitch, s, sPitch, rows, source.Runs(), sourceRect.top, sourceRect.left,
                       w, source.width_, bytes, source.key_);
}

void IDirectDrawSurface::copyInto(const RECT& dest, const IDirectDrawSurface& source,
                                  const RECT& sourceRect, bool useKey) {
    // The source's own held-back copy must land before it is read, and this surface's before a
    // copy held back from it is overwritten.
    if (waiting_ == &source) waiting_->finishWaiting();
    settleCopiesFromHere();
    const bool key = keyed(source, useKey);
    if (caps_ & DDSCAPS_BACKBUFFER) {
        if constexpr (platform_internal::kTestSeams) {
            if (const auto& observe = platform_internal::Seams().copyObserver)
                observe({source.pixels_.data(), source.width_, source.height_, source.pitch_,
                         source.bpp_, useKey && source.hasKey_, source.key_, sourceRect.left,
                         sourceRect.top, dest.left, dest.top, dest.right, dest.bottom});
        }
        if (platform_internal::HoldsBackBackground() && !key && &source != this && dest.left == 0 &&
            dest.top == 0 && dest.right == width_ && dest.bottom == height_) {
            holdBack(source, sourceRect);
            runsValid_ = false;
            return;
        }
        if (waiting_ == this &&
            !(key ? fill_.FillUnder(dest.top, dest.bottom, dest.left, dest.right)
                  : fill_.Cover(dest.top, dest.bottom, dest.left, dest.right)))
            waiting_ = nullptr;  // finished: nothing is held back any longer
        if (!platform_internal::MovesPixels()) return;
    }
    keyedCopy(dest, source, sourceRect, key);
    runsValid_ = false;  // after the copy: a surface copied onto itself read its runs during it
}

void IDirectDrawSurface::holdBack(const IDirectDrawSurface& source, const RECT& sourceRect) {
    if (waiting_ != nullptr && waiting_ != this) waiting_->finishWaiting();
    const int bytes = pixel_format::BytesPerPixel(bpp_);
    fill_.Begin(&source,
                source.pixels_.data() +
                    static_cast<std::ptrdiff_t>(sourceRect.top) * source.pitch_ +
                    static_cast<std::ptrdiff_t>(sourceRect.left) * bytes,
                source.pitch_, pixels_.data(), pitch_, width_, height_, bytes,
                platform_internal::MovesPixels());
    waiting_ = this;
}

HRESULT IDirectDrawSurface::Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect,
                                DWORD flags, void*) {
    if (source == nullptr) return DDERR_INVALIDPARAMS;  // colour fills are not offered
    if (lost_ || source->lost_) return DDERR_SURFACELOST;
    if (source->bpp_ != bpp_) return DDERR_INVALIDPIXELFORMAT;
    RECT src = sourceRect ? *sourceRect : RECT{0, 0, source->width_, source->height_};
    RECT dst = destRect ? *destRect : RECT{0, 0, width_, height_};
    if (src.left < 0 || src.top < 0 || src.right > source->width_ || src.bottom > source->height_ ||
        src.left >= src.right || src.top >= src.bottom)
        return DDERR_INVALIDRECT;
    const long long dw = static_cast<long long>(dst.right) - dst.left;
    const long long dh = static_cast<long long>(dst.bottom) - dst.top;
    if (dw != src.right - src.left || dh != src.bottom - src.top) return DDERR_UNSUPPORTED;
    if (clipper_ == nullptr) {
        if (dst.left < 0 || dst.top < 0 || dst.right > width_ || dst.bottom > height_)
            return DDERR_INVALIDRECT;
    } else {
        const RECT clipped = ClipTo(dst, width_, height_);
        if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return DD_OK;
        src.left += clipped.left - dst.left;
        src.top += clipped.top - dst.top;
        dst = clipped;
    }
    copyInto(dst, *source, src, (flags & DDBLT_KEYSRC) != 0);
    return DD_OK;
}

HRESULT IDirectDrawSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect,
                                    DWORD trans) {
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    if (lost_ || source->lost_) return DDERR_SURFACELOST;
    if (source->bpp_ != bpp_) return DDERR_INVALIDPIXELFORMAT;
    const RECT src = sourceRect ? *sourceRect : RECT{0, 0, source->width_, source->height_};
    if (src.left < 0 || src.top < 0 || src.right > source->width_ || src.bottom > source->height_ ||
        src.left >= src.right || src.top >= src.bottom)
        return DDERR_INVALIDRECT;
    const long long right = static_cast<long long>(x) + (src.right - src.left);
    const long long bottom = static_cast<long long>(y) + (src.bottom - src.top);
    if (right > width_ || bottom > height_) return DDERR_INVALIDRECT;
    const RECT dst{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(right),
                   static_cast<LONG>(bottom)};
    copyInto(dst, *source, src, (trans & DDBLTFAST_SRCCOLORKEY) != 0);
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

// ---- Display object ----

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
