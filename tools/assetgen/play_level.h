// The shipped level to play, designed in code: a run from the player's start to the goal along
// the top of the world, over gaps, past walkers and up a climb.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

// Where the data folder keeps it, and its three files.
constexpr const char* kPlayLevelFolder = "levels/first-run";

struct PlayLevel {
    std::vector<std::string> tiles;   // x2.lvl's lines
    std::vector<std::string> blocks;  // x2fg.lvl's lines
    std::string actors;               // x2.actors
};

PlayLevel MakePlayLevel();

}  // namespace assetgen
