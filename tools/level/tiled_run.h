// Runs the designer's Tiled on a level folder's session (vorn7-level tiled) and says when it
// could not: not installed, or ended before the designer closed it (no display, a session it
// cannot read). Called by the tool's main.
#pragma once

#include <string>

namespace level_tool {

// Starts `tiled --new-instance` and waits for it to end. True when it ran and ended normally;
// false with a message naming folder and the reason otherwise.
bool RunTiled(const std::string& folder, std::string& message);

}  // namespace level_tool
