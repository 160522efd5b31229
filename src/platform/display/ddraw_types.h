// DirectDraw's result codes, flags and records, as the display's calls take and return them.
// Included through platform/display/ddraw.h, the one header the rest of the system includes.
#pragma once

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
