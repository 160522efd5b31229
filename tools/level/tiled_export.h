// to-tiled: the two level files of a folder as Tiled maps, with a tileset for each picture.
#pragma once

#include <string>

namespace level_tool {

// Writes x2.tmx (with an "actors" object layer when levelDir has x2.actors), x2fg.tmx,
// tiles.tsx and blocks.tsx into outDir. The pictures are taken where
// the game takes them (levelDir's own, else gameData's) and referenced there, or copied into
// outDir/gfx when they are in a build tree. Refuses to replace a file unless force. False with a
// message; summary says what was written.
bool ExportToTiled(const std::string& levelDir, const std::string& gameData,
                   const std::string& outDir, bool force, std::string& summary,
                   std::string& message);

}  // namespace level_tool
