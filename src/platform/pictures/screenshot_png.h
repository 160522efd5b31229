// Internal to src/platform/: what both platforms' screenshots share, the file's name and its PNG.
// Used by screenshot_desktop.cpp and screenshot_web.cpp.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

class IDirectDrawSurface;

namespace screenshot_png {

// vorn7-YYYY-MM-DD-HH-MM-SS.png in local time; -2, -3 ... from the second attempt on.
std::string NameAt(std::time_t when, int attempt);
// The surface as an RGB PNG (8-bit frames through the palette) into file, which it closes.
bool WriteFrame(const IDirectDrawSurface& surface, std::FILE* file);

}  // namespace screenshot_png
