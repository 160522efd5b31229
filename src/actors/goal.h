// The level's end: it stands where the level puts it, and the player that touches it ends its
// run (the actor manager sees to the touch). Spawned by the actor manager for a "goal" line.
#pragma once

#include <cstdint>

#include "actors/actor.h"

class Goal : public Actor {
  public:
    bool Update(std::int32_t left, std::int32_t top, std::int32_t right,
                std::int32_t bottom) override {
        return UpdateScreenPosition(left, top, right, bottom);
    }
    void Draw(IDirectDrawSurface* target) override;
    // The pole and its flag, within the 32 x 64 frame.
    ActorBody Body() const override { return {x_ + 4, y_, x_ + 27, y_ + 63}; }
};
