// The window's placement kept between runs, per user: on the desktop the file
// $XDG_STATE_HOME/vorn7/window (~/.local/state/vorn7/window without it); in a browser nothing is
// kept (window_memory_web.cpp). Called by the shell: start-up recalls it, the window's
// destruction remembers it.
#pragma once

#include <string>

#include "platform/window/window.h"

// The file the placement is kept in; "" where there is none (no absolute XDG_STATE_HOME or HOME,
// or a browser).
std::string WindowMemoryFile();

// Fills placement from the file; false, and placement untouched, when nothing usable is kept: no
// file, one that cannot be read, is not a regular file or is over 4 KiB, or holds anything but
// the lines it is written with (the numbers in range).
bool RecallWindowPlacement(WindowPlacement& placement);

// Keeps placement for the next run: written whole into a temporary file beside the kept one and
// renamed over it, the folders made as needed. Where that cannot be done the placement is not
// kept, and standard error says so in one line; nothing else changes.
void RememberWindowPlacement(const WindowPlacement& placement);
