// from-tiled: a Tiled map (TMX as Tiled saves it: CSV, base64, base64 with zlib or gzip, or XML
// tiles; or Tiled's JSON map) back to a level file. Refuses what the game cannot show, with file,
// line and reason; warns about each layer it does not convert (object, image, hidden layers).
#pragma once

#include <string>
#include <vector>

namespace level_tool {

// Writes outLevel only when the whole map converted, and, when a tile map has an "actors" object
// layer, x2.actors beside it. Returns false with a message
// "FILE:LINE: reason" (or "FILE: reason"). Each layer left out adds a line to warnings.
// summary names what was written.
bool ImportFromTiled(const std::string& mapPath, const std::string& outLevel, std::string& summary,
                     std::string& message, std::vector<std::string>& warnings);

}  // namespace level_tool
