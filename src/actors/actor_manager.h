// Owns the sprite kinds and the live actors. The World creates it, spawns the walker when the
// tile level has loaded, forwards its surface life cycle and calls UpdateAndDraw every frame.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "actors/actor.h"
#include "actors/actor_placement.h"
#include "actors/sprite_kind.h"

class ActorManager {
  public:
    ActorManager();

    // Creates a live actor of the kind; only kind 0 (the walker) exists, others give false.
    bool Spawn(std::int32_t kind);
    // Updates every live actor in spawn order and draws those in view. Always true.
    bool UpdateAndDraw(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                       IDirectDrawSurface* target);
    // The kind operations act once kind 0's first actor exists; before that they report success.
    // They forward the World's calls of the same names (pictures, frames, create, release,
    // restore) to every kind; a false result means the kind's own operation failed.
    bool LoadKindBitmaps();
    bool LoadKindFrames();
    void CreateKindSurfaces();
    void ReleaseKindSurfaces();
    bool RestoreKinds();

    // A level read again: every live actor goes and the level's actors are spawned again: one at
    // each placement, in order, or the one walker at its own start when there are none.
    bool Restart();
    // The level's placements (its x2.actors), used by every Restart from now on; the shell sets
    // them at start-up and when a watched actors file is saved.
    void SetPlacements(std::vector<ActorPlacement> placements);
    // The kinds' sheets read again; a sheet that does not load leaves the held one. False then.
    bool ReloadKindBitmaps();

    std::int32_t LiveCount() const { return liveCount_; }
    Actor* LiveActor(std::int32_t index) const {
        return live_[static_cast<std::size_t>(index)].get();
    }
    SpriteKind* KindObject(std::int32_t kind) const {
        return kinds_[static_cast<std::size_t>(kind)].get();
    }

  private:
    std::vector<std::unique_ptr<Actor>> live_;
    std::vector<std::unique_ptr<SpriteKind>> kinds_;
    std::int32_t liveCount_ = 0;
    std::vector<bool> initialised_;
    std::vector<ActorPlacement> placements_;
};
