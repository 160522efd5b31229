// new: a level folder of one's own (copies of the two levels, their tilesets, a Tiled project
// with the Vorn7 extension and a command that plays the folder); tilesets: the two tilesets for a
// folder's pictures. Nothing they write points into a build tree.
#pragma once

#include <filesystem>
#include <string>

#include "level_grid.h"

namespace level_tool {

constexpr const char* kSessionFile = "vorn7.tiled-session";
// The project's command: a new game on the folder, at the start view.
constexpr const char* kPlayCommand = "Vorn7: a new game here";

// A tileset of the sheet with its picture at imagePath (as the tileset names it).
std::string TilesetXml(const Sheet& sheet, const std::string& imagePath);
// A folder of a build tree (its CMake cache above it): never referenced, only copied from.
bool InBuildTree(const std::filesystem::path& data);
// Copies a file, making its folder; false with a message naming both.
bool Copy(const std::filesystem::path& from, const std::filesystem::path& to, std::string& message);

// Writes tiles.tsx and blocks.tsx into folder, their pictures referenced as imagePrefix +
// "gfx/….bmp" (relative to the folder, or absolute). False with a message.
bool WriteTilesets(const std::string& folder, const std::string& imagePrefix, std::string& message);
// Makes folder (refusing one that holds files) from the game's data in data; the project's
// command plays it with the game beside that data. Says what it wrote in summary.
bool NewLevelFolder(const std::string& folder, const std::string& data, std::string& summary,
                    std::string& message);
// The session Tiled keeps beside the project: the project, nothing open.
std::string SessionJson();
// Tiled 1.8 takes no project on its command line, but opens its last session's project: sets
// Tiled's last session (Project/LastSession in its settings) to the folder's, writing the session
// when there is none. False with a message; session names the file.
bool MakeTiledOpen(const std::string& folder, std::string& session, std::string& message);

}  // namespace level_tool
