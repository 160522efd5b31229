// The life cycle of every display surface, run by the shell: making them (start-up), releasing
// and making them again in the current mode (a mode switch, a reloaded picture), restoring and
// refilling them (a flip that reports them lost) and releasing them (shutdown). It calls down
// into the display (the flip chain), graphics (the shell strips), the world and its actors.
#pragma once

#include <cstdint>

#include "graphics/surface_strip.h"

// New shell strips, the World's surfaces, every refill. Called at start-up by LoadPictures and
// by RebuildDisplayObjects. 0 on the first failure.
std::int32_t CreateDisplayObjects();
// Copies every frame of a shell strip from the walker sheet; 0 after the first failed frame.
// Called by CreateDisplayObjects and RecoverSurfaces.
[[nodiscard]] std::int32_t LoadStripFrames(SurfaceStrip* strip);
// Releases and rebuilds every surface in the current mode from the pictures in memory; a failed
// rebuild ends the program through the one failure path (EndAfterFailure). The mode switches and
// a reloaded picture call it.
void RebuildDisplayObjects();
// Restores the flip chain, the shell strips and the World's surfaces and refills them. 1 when
// every restore and refill succeeded. Called by PresentFrame.
[[nodiscard]] std::int32_t RecoverSurfaces();
// Back, front, the shell strips, the World's surfaces, in that order; the references are
// cleared. Called by ShutdownDisplay and before each rebuild.
void ReleaseDisplayObjects();
// Once a frame (RunFrame): flips; recovers lost surfaces. 0 when they could not be recovered.
[[nodiscard]] std::int32_t PresentFrame();
// The window's destruction (WM_DESTROY): every surface, then the device. Nothing without one.
void ShutdownDisplay();
