// A level's actors as the level tools carry them: x2.actors beside x2.lvl, Tiled's object layer
// "actors" in a tile map (point objects of type walker, player, goal or start, the file's comment
// lines in the layer's "comments" property). Used by to-tiled and from-tiled; the Tiled extension
// does the same.
#pragma once

#include <string>

#include "world/actors_file.h"

namespace level_tool {

constexpr const char* kActorsLayer = "actors";
// The comment line the tools write when a layer brings none.
constexpr const char* kActorsHeader =
    "# Vorn7 actors: KIND X Y a line (walker, player, goal: the frame's top-left; start: the view "
    "centre)";

// Reads folder/x2.actors: false with a reason for a file the game would refuse; present is false
// when there is none.
bool ReadActorsBeside(const std::string& folder, ActorsFile& actors, bool& present,
                      std::string& reason);
// The file as the tools write it: the comment lines (or the header), then a line per actor.
std::string ActorsText(const ActorsFile& actors);
// The TMX object layer of the actors, with layer id 2 and object ids from 1.
std::string ActorsObjectGroupXml(const ActorsFile& actors);
// The count of point objects the layer will hold (the actors and the start).
std::size_t ActorObjectCount(const ActorsFile& actors);

}  // namespace level_tool
