// The display object: the exclusive full-screen mode, and the surfaces and clippers it makes.
// Created once by InitDisplay (DirectDrawCreate); included through platform/display/ddraw.h.
#pragma once

#include "platform/display/ddraw_types.h"

class IDirectDrawClipper;
class IDirectDrawSurface;

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
