// Where a level places its actors (the level folder's x2.actors, read by the world's reader):
// the manager spawns one actor per placement. Used by ActorManager::SetPlacements.
#pragma once

#include <cstdint>

// The kind numbers of the actor manager.
constexpr std::int32_t kWalkerKind = 0;
constexpr std::int32_t kPlayerKind = 1;  // steered by the player's controls; at most one
constexpr std::int32_t kGoalKind = 2;    // the level's end; at most one

struct ActorPlacement {
    std::int32_t kind;  // kWalkerKind, kPlayerKind or kGoalKind
    std::int32_t x;     // world pixels of the top-left corner of the actor's frame
    std::int32_t y;
};
