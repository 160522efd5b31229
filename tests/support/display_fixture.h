// Takes the headless display the way start-up does (window, device, mode, flip chain), without
// levels or pictures, for tests of the parts that draw.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/win_types.h"

namespace display_fixture {

// Sets DisplayMode, creates the window and runs InitDisplay. True when the display was taken.
bool Open(int width, int height, int depth);
// Destroys the window, which releases the display.
void Close();

// An off-screen surface of the current mode, filled with one raw value (the caller releases).
IDirectDrawSurface* MakeSurface(int width, int height);
void Fill(IDirectDrawSurface* surface, std::uint32_t raw);
std::uint32_t RawAt(IDirectDrawSurface* surface, int x, int y);
void SetRaw(IDirectDrawSurface* surface, int x, int y, std::uint32_t raw);
// The raw value a colour gets in the current mode.
std::uint32_t RawOf(int r, int g, int b);

}  // namespace display_fixture
