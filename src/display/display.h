// The display: the device, the exclusive full-screen mode, the flip chain with its clipper and
// the transparent colour in the current pixel format. Called by the shell at start-up, every
// frame and at window destruction, and by the mode switch.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

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

std::int32_t InitDisplay(HWND window);
std::int32_t CreateFlipChain(HWND window);
// The raw value the display produces for colour, found by drawing it at (0, 0) and reading it
// back (the pixel is put back afterwards); kColourUnmatched when the surface cannot be locked.
DWORD MatchColour(COLORREF colour, IDirectDrawSurface* surface);
// Flips; recovers lost surfaces. 0 ends the program.
std::int32_t PresentFrame();
void ReleaseDisplayObjects();
void ShutdownDisplay();
