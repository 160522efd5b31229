// The display: the device, the exclusive full-screen mode, the flip chain with its clipper and
// the transparent colour in the current pixel format; off-screen surfaces of the current mode.
// Sits on the platform alone. The shell takes and releases it (surface_life_cycle.h); graphics,
// the world and the actors read the mode and make their surfaces here.
#pragma once

#include <cstdint>

#include "platform/display/ddraw.h"

struct DisplayModeRecord {
    std::int32_t colourDepth;
    std::int32_t width;
    std::int32_t height;
};

extern DisplayModeRecord DisplayMode;  // 32, 800, 600 at start
extern IDirectDraw* DisplayDevice;
extern IDirectDrawSurface* FrontSurface;
extern IDirectDrawSurface* BackSurface;
// Raw value of RGB(189,198,255) in the current pixel format, or kColourUnmatched.
extern DWORD TransparentColour;
constexpr DWORD kColourUnmatched = 0xFFFFFFFFu;

// Start-up (AppMain): device, exclusive full-screen mode, flip chain. 0 when any step failed; what
// was created stays in the globals for the shell's ShutdownDisplay.
[[nodiscard]] std::int32_t InitDisplay(HWND window);
// Front and back surface, clipper, TransparentColour for the new format. Called by InitDisplay
// and after each mode switch (which ignores the result and checks the surfaces instead). 0 on a
// failed step.
std::int32_t CreateFlipChain(HWND window);
// The raw value the display produces for colour, found by drawing it at (0, 0) and reading it
// back (the pixel is put back afterwards); kColourUnmatched when the surface cannot be locked.
DWORD MatchColour(COLORREF colour, IDirectDrawSurface* surface);
// An off-screen surface of the current mode on the DisplayDevice, without a colour key; null when
// there is no device or the display refuses. The strips' frames, the tools' and tests' surfaces.
IDirectDrawSurface* CreateOffscreenSurface(std::int32_t width, std::int32_t height);
// Releases the back and front surfaces (the clipper goes with the back buffer); the references
// are cleared. Called by the shell before a rebuild and at shutdown.
void ReleaseFlipChain();
// Releases the device; nothing without one.
void ReleaseDisplayDevice();
