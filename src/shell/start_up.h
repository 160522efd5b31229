// Start-up up to the main loop, in its order: the window, the display, the levels, the actors
// file, the pictures, every surface, the clock and the camera. Called by AppMain and the headless
// starts (headless_start.h); the watch reloads through its loaders.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

struct ActorsFile;

// Start-up up to the main loop: the window, the display, the levels, the pictures, every surface,
// the clock and the camera. False after a failure, which has been reported and has destroyed the
// window. AppMain and the headless starts (headless_start.h) call it.
bool StartUp(HINSTANCE instance, int showCommand);
// The window of the given class as the user last left it (window_memory.h): a window at its
// place, else full screen; --windowed asks for a window (at its kept place, else of the mode's
// size where it covers least of the others). Null when it cannot be made (the reason is in
// GetLastWindowErrorText).
HWND CreateMainWindow(const char* className, HINSTANCE instance);
// Resets the camera and the frame timing; start-up, just before the main loop.
void StartPlay();
// A level's actors file put to use: its walkers replace the level's actors (none: the one walker
// stays) and its player and goal join them; its start is where the camera starts unless --at was
// given, and with a player --at is where the player starts. Start-up.
void ApplyActors(const ActorsFile& file);
