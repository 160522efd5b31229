// The walking actor: walks left and right, turns at walls, falls and lands pixel-exactly on
// the tiles. It advances in fixed 16 ms steps, so its path does not depend on the frame rate.
#pragma once

#include <cstdint>

#include "actors/actor.h"

class Walker : public Actor {
  public:
    static constexpr std::int32_t kStepMs = 16;
    static constexpr std::int32_t kMaxStepsPerUpdate = 8;
    static constexpr double kTimeScale = 0.07;  // time units per millisecond

    Walker();
    // Runs the fixed steps the elapsed time holds (at most kMaxStepsPerUpdate; the rest is
    // dropped); true when in view.
    bool Update(std::int32_t left, std::int32_t top, std::int32_t right,
                std::int32_t bottom) override;
    // Draws the kind's frame for the walker's direction.
    void Draw(IDirectDrawSurface* target) override;
    // The body between its wall probes, from its top to its feet.
    ActorBody Body() const override { return {x_ + 7, y_ + 3, x_ + 47, y_ + 63}; }

  private:
    // One fixed step: wall probe, floor probe, motion.
    void Step();
};
