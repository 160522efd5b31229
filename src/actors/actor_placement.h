// Where a level places its actors (the level folder's x2.actors, read by the world's reader):
// the manager spawns one actor per placement, in order. Used by ActorManager::SetPlacements.
#pragma once

#include <cstdint>

struct ActorPlacement {
    std::int32_t kind;  // 0: the walker
    std::int32_t x;     // world pixels of the top-left corner of the actor's frame
    std::int32_t y;
};
