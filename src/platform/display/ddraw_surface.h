// A surface of the emulated display: the mode's real pixel format in memory, its locks, device
// contexts, colour key, loss and flip, and its copies (Blt, BltFast). Made by
// IDirectDraw::CreateSurface; included through platform/display/ddraw.h.
#pragma once

#include <vector>

#include "platform/display/ddraw_types.h"
#include "platform/display/deferred_fill.h"
#include "platform/display/opaque_runs.h"

class IDirectDrawClipper;

class IDirectDrawSurface {
  public:
    // Keyed, clipped copy: a destination outside the surface is cut to it when a clipper is set,
    // refused otherwise. Source and destination rectangles must have one size. An opaque copy
    // that covers the whole back buffer (the frame's background) is held back and written only
    // where later copies leave it showing, when the surface is next read, shown or changed; no
    // caller can see the difference.
    HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags,
                void* effects);
    // Keyed copy without clipping: a rectangle not wholly inside fails and writes nothing.
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect, DWORD trans);
    // Swaps the front and back buffers and shows the new front, paced as a 60 Hz display.
    HRESULT Flip(IDirectDrawSurface* target, DWORD flags);
    // The primary surface's back buffer, with a reference added; DDERR_GENERIC elsewhere.
    HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached);
    // The whole surface only (rect null); DDERR_SURFACELOST when lost, DDERR_GENERIC when
    // already locked, DDERR_WASSTILLDRAWING only when a test injects it (callers retry).
    HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, void* event);
    // Ends a Lock; the opaque runs of a keyed surface are worked out again.
    HRESULT Unlock(void* rect);
    // One device context at a time (DDERR_DCALREADYCREATED for a second); DDERR_SURFACELOST
    // when lost. ReleaseDC takes back exactly the context GetDC gave.
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    // Ends the lost state with the content undefined (the owner refills it); on a primary
    // surface also its back buffer. DDERR_INVALIDPIXELFORMAT for a surface of another depth.
    HRESULT Restore();
    // DDERR_SURFACELOST while lost, else DD_OK.
    HRESULT IsLost();
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    // Source keys only (DDCKEY_SRCBLT); a null key removes it. GetColorKey fails without one.
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key);
    // Reference counts; the surface is freed when Release reaches 0, which it returns.
    ULONG AddRef();
    ULONG Release();

    // Platform-internal state, read by the GDI side and the frame presenter.
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bpp_; }
    int pitch() const { return pitch_; }
    bool lost() const { return lost_; }
    BYTE* pixels() {  // for writing: the opaque runs are worked out again
        settle();
        runsValid_ = false;
        return pixels_.data();
    }
    const BYTE* pixels() const {
        settle();
        return pixels_.data();
    }
    void markLost();
    // Each row's runs of pixels other than the colour key; scanned once after each change of
    // content.
    const OpaqueRuns& Runs() const;

  private:
    friend class IDirectDraw;
    IDirectDrawSurface(int width, int height, int bpp, DWORD caps);
    ~IDirectDrawSurface();
    void keyedCopy(const RECT& dest, const IDirectDrawSurface& source, const RECT& sourceRect,
                   bool keyedSource);
    void copyInto(const RECT& dest, const IDirectDrawSurface& source, const RECT& sourceRect,
                  bool useKey);
    // Starts holding back an opaque copy that covers the whole surface.
    void holdBack(const IDirectDrawSurface& source, const RECT& sourceRect);
    bool keyed(const IDirectDrawSurface& source, bool useKey) const;
    void contentChanged();
    // Writes what a held-back copy still owes, where it reads or writes this surface; called
    // before anything reads, shows, changes or frees the surface's pixels.
    void settle() const {
        if (waiting_ == this) waiting_->finishWaiting();
        settleCopiesFromHere();
    }
    // Writes what a held-back copy from this surface still owes, before its pixels change.
    void settleCopiesFromHere() const {
        if (waiting_ != nullptr && waiting_->fill_.sourceOwner() == this) waiting_->finishWaiting();
    }
    void finishWaiting();
    void forget();  // the surface's content is gone: anything held back for it or from it too

    ULONG refs_ = 1;
    int width_;
    int height_;
    int bpp_;
    int pitch_;
    DWORD caps_;
    std::vector<BYTE> pixels_;
    bool lost_ = false;
    bool locked_ = false;
    bool hasKey_ = false;
    DWORD key_ = 0;
    HDC dc_ = nullptr;       // the context handed out, while it is out
    HDC dcCache_ = nullptr;  // the context object, kept for reuse
    mutable OpaqueRuns runs_;
    DeferredFill fill_;  // back buffers: the frame's background, held back
    // The one surface holding a copy back, or null.
    static inline IDirectDrawSurface* waiting_ = nullptr;
    mutable bool runsValid_ = false;
    IDirectDrawClipper* clipper_ = nullptr;
    IDirectDrawSurface* backBuffer_ = nullptr;  // primary: the attached back buffer (owned)
    IDirectDrawSurface* primary_ = nullptr;     // back buffer: the chain it belongs to
};
