// Tiled's JSON files (maps and tilesets) for from-tiled: told apart from TMX and TSX, parsed
// within a bound of values, and their numbers read as written. Used by the JSON map reader and
// the tileset identification.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace level_tool {

// Tiled's JSON formats begin with an object, or are named .json, .tmj or .tsj; TMX and TSX begin
// with markup.
// Reads the file into bytes first; a file that cannot be read is refused.
bool LooksLikeJson(const std::string& path, std::string& bytes);
// The file's one JSON object; refused when it is not valid JSON, not an object, or holds more
// values than a level's map needs.
nlohmann::json ParseJson(const std::string& path, const std::string& bytes);
// A number of the JSON as it is written (1e+300, -3, "wide"), for the checks that compare it
// with what a level needs: never squeezed into an int first.
std::string Written(const nlohmann::json& object, const char* key);

}  // namespace level_tool
