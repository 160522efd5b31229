// Space and Enter switch the display mode with a full rebuild of every surface; a flip that
// reports lost surfaces restores and refills them in place.
#pragma once

#include <cstdint>

// Depth cycle 16 -> 24 -> 32 -> 8 -> 16; a refused depth is skipped, and when the display
// accepts none, not even the current one, nothing changes.
void CycleColourDepth();
// Resolution cycle 640x480 -> 800x600 -> 1024x768 -> 640x480, with the same refusal rule.
void CycleResolution();
// Releases and rebuilds every surface in the current mode from the pictures in memory, as after
// a mode switch; a failed rebuild ends the program. The mode switches and a reloaded picture
// call it.
void RebuildDisplayObjects();
// Called by PresentFrame when a flip reports lost surfaces: restores the flip chain, the shell
// strips and the World's surfaces and refills them. 1 when every restore and refill succeeded;
// 0 ends the program.
[[nodiscard]] std::int32_t RecoverSurfaces();

// The next value of each cycle: depth 8, 16, 24, 32 and round; width 640, 800, 1024 and round
// (any other width goes to 640), with its height.
std::int32_t NextColourDepth(std::int32_t depth);
void NextResolution(std::int32_t width, std::int32_t* nextWidth, std::int32_t* nextHeight);
