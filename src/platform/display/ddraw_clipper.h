// The clipper of the flip chain. Made by IDirectDraw::CreateClipper for CreateFlipChain;
// included through platform/display/ddraw.h.
#pragma once

#include "platform/display/ddraw_types.h"

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
