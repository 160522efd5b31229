// from-tiled: a Tiled map (TMX, as Tiled saves it: CSV, base64, base64 with zlib or gzip, or
// XML tiles) back to a level file. Refuses what the game cannot show, with file, line and reason.
#pragma once

#include <string>

namespace level_tool {

// Writes outLevel only when the whole map converted. Returns false with a message
// "FILE:LINE: reason" (or "FILE: reason").
bool ImportFromTiled(const std::string& mapPath, const std::string& outLevel, std::string& message);

}  // namespace level_tool
