// new: a level folder of one's own (copies of the two levels, their tilesets, a Tiled project
// with the Vorn7 extension and a command that plays the folder); tilesets: the two tilesets for a
// folder's pictures. Nothing they write points into a build tree.
#pragma once

#include <filesystem>
#include <string>

#include "level_grid.h"

namespace level_tool {

// A tileset of the sheet with its picture at imagePath (as the tileset names it).
std::string TilesetXml(const Sheet& sheet, const std::string& imagePath);
// A folder of a build tree (its CMake cache above it): never referenced, only copied from.
bool InBuildTree(const std::filesystem::path& data);
// Copies a file, making its folder; false with a message naming both.
bool Copy(const std::filesystem::path& from, const std::filesystem::path& to, std::string& message);

// The game's data folder for this tool: data/ beside it in a build tree, else the installed
// share/vorn7 beside its bin or games folder. "" when neither holds x2.lvl.
std::string GameDataFolder(const std::string& toolPath);
// Writes tiles.tsx and blocks.tsx into folder, their pictures referenced as imagePrefix +
// "gfx/….bmp" (relative to the folder, or absolute). False with a message.
bool WriteTilesets(const std::string& folder, const std::string& imagePrefix, std::string& message);
// Makes folder (refusing one that holds files) from the game's data in data; the project's
// command plays it with the game beside that data. Says what it wrote in summary.
bool NewLevelFolder(const std::string& folder, const std::string& data, std::string& summary,
                    std::string& message);

}  // namespace level_tool
