// DirectDraw-style display objects over an emulated full-screen display: 640x480, 800x600 and
// 1024x768 at 8 (one fixed palette), 16 (RGB565), 24 (packed) and 32 (XRGB, top byte 0) bits.
// Used by the display (the device, the flip chain, the colour measurement), graphics (the strips,
// the tile banks, the pictures' copies), the world's and the actors' draws and the frame tick.
// Each operation does what its DirectDraw namesake does for this program's calls and returns
// DD_OK or a negative DDERR_ code; the lines below name what is particular to this platform.
#pragma once

#include <vector>

#include "platform/display/deferred_fill.h"
#include "platform/display/opaque_runs.h"
#include "platform/win_types.h"

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_INVALIDMODE = static_cast<HRESULT>(0x88760078u);
constexpr HRESULT DDERR_INVALIDOBJECT = static_cast<HRESULT>(0x88760082u);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = static_cast<HRESULT>(0x88760091u);
constexpr HRESULT DDERR_INVALIDRECT = static_cast<HRESULT>(0x88760096u);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = static_cast<HRESULT>(0x887600E1u);
constexpr HRESULT DDERR_NOTFLIPPABLE = static_cast<HRESULT>(0x887600FAu);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2u);
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DDERR_WASSTILLDRAWING = static_cast<HRESULT>(0x8876021Cu);
constexpr HRESULT DDERR_DCALREADYCREATED = static_cast<HRESULT>(0x8876026Cu);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x887602E6u);

constexpr DWORD DDSCL_FULLSCREEN = 0x00000001u;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010u;

constexpr DWORD DDSD_CAPS = 0x00000001u;
constexpr DWORD DDSD_HEIGHT = 0x00000002u;
constexpr DWORD DDSD_WIDTH = 0x00000004u;
constexpr DWORD DDSD_PITCH = 0x00000008u;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020u;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000u;

constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004u;
constexpr DWORD DDSCAPS_COMPLEX = 0x00000008u;
constexpr DWORD DDSCAPS_FLIP = 0x00000010u;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020u;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040u;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200u;

constexpr DWORD DDCKEY_SRCBLT = 0x00000008u;
constexpr DWORD DDBLT_KEYSRC = 0x00008000u;
constexpr DWORD DDBLT_WAIT = 0x01000000u;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x00000000u;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x00000001u;
constexpr DWORD DDBLTFAST_WAIT = 0x00000010u;
constexpr DWORD DDFLIP_WAIT = 0x00000001u;
constexpr DWORD DDPF_RGB = 0x00000040u;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020u;

// The size field every DDSURFACEDESC handed to the display must carry.
constexpr DWORD DDSURFACEDESC_SIZE = 108;

struct DDSCAPS {
    DWORD dwCaps;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    void* lpSurface;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

class IDirectDrawSurface;

// Set on the back buffer so that Blt cuts copies to the surface; always DD_OK.
class IDirectDrawClipper {
  public:
    HRESULT SetHWnd(DWORD flags, HWND window);
    // Reference counts; the clipper is freed when Release reaches 0, which it returns.
    ULONG AddRef();
    ULONG Release();

  private:
    friend class IDirectDraw;
    IDirectDrawClipper() = default;
    ~IDirectDrawClipper();
    ULONG refs_ = 1;
    HWND window_ = nullptr;
};

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

class IDirectDraw {
  public:
    // Full-screen exclusive on the program's own window only; DDERR_INVALIDPARAMS otherwise.
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    // One of the twelve modes, after SetCooperativeLevel (DDERR_NOEXCLUSIVEMODE before);
    // DDERR_INVALIDMODE for any other (and for a mode a test refuses).
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel);
    // A flip chain (primary, one back buffer; one at a time) or an off-screen surface of up to
    // 16384 on a side, in the current mode's depth; *surface is null on failure.
    HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer);
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer);
    ULONG Release();

  private:
    friend HRESULT DirectDrawCreate(void*, IDirectDraw**, void*);
    IDirectDraw() = default;
    ~IDirectDraw() = default;
    ULONG refs_ = 1;
    bool exclusive_ = false;
    bool modeSet_ = false;
};

// The display device; called once by InitDisplay.
HRESULT DirectDrawCreate(void* driverGuid, IDirectDraw** device, void* outer);
