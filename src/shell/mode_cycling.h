// Space and Enter switch the display mode: the next mode the display accepts, then a full
// rebuild of every surface (surface_life_cycle.h). Called by OnKeyDown.
#pragma once

#include <cstdint>

// Depth cycle 16 -> 24 -> 32 -> 8 -> 16; a refused depth is skipped, and when the display
// accepts none, not even the current one, nothing changes.
void CycleColourDepth();
// Resolution cycle 640x480 -> 800x600 -> 1024x768 -> 640x480, with the same refusal rule.
void CycleResolution();
// The next value of each cycle: depth 8, 16, 24, 32 and round; width 640, 800, 1024 and round
// (any other width goes to 640), with its height.
std::int32_t NextColourDepth(std::int32_t depth);
void NextResolution(std::int32_t width, std::int32_t* nextWidth, std::int32_t* nextHeight);
