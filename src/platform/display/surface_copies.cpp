// The surfaces' copies (Blt, BltFast): checked, clipped, then written row by row, a keyed source
// through its opaque runs, and the back buffer's background held back until it shows. The runs
// and the held-back copy's bookkeeping live here too, so the copies' calls to them are inlined:
// in a file of their own apart from them the copies ran about 1 % slower.
#include <algorithm>
#include <cstddef>

#include "platform/display/ddraw.h"
#include "platform/display/pixel_format.h"
#include "platform/seams/seam_state.h"

namespace {

// Intersects r with [0, w) x [0, h).
RECT ClipTo(const RECT& r, int w, int h) {
    return {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, w),
            std::min<LONG>(r.bottom, h)};
}

}  // namespace

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
