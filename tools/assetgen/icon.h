// The program's icon: the walker's face, from the walker sheet, as RGBA PNG files of the hicolor
// theme's usual sizes.
#pragma once

#include <string>

#include "canvas.h"

namespace assetgen {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// Writes folder/NxN/apps/vorn7.png for every size. Returns false with a message on failure.
bool WriteIcons(const Canvas& walkerSheet, const std::string& folder, std::string& error);

}  // namespace assetgen
