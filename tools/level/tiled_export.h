// to-tiled: the two levels as Tiled maps (TMX, CSV layer data) with a tileset for each picture
// (TSX, referencing the game's pictures where they are).
#pragma once

#include <string>

namespace level_tool {

// Writes x2.tmx, x2fg.tmx, tiles.tsx and blocks.tsx into outDir. Returns false with a message
// naming the file and the reason.
bool ExportToTiled(const std::string& dataDir, const std::string& outDir, std::string& message);

}  // namespace level_tool
