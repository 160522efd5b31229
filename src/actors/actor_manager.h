// Owns the sprite kinds and the live actors. The World creates it, spawns the walker when the
// tile level has loaded, forwards its surface life cycle and calls UpdateAndDraw every frame.
// Kinds: the walker (0), the player (1) and the goal (2), each set up at its first spawn, so a
// level without a player or a goal never reads their pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "actors/actor.h"
#include "actors/actor_placement.h"
#include "actors/player.h"
#include "actors/player_controls.h"
#include "actors/sprite_kind.h"

class ActorManager {
  public:
    ActorManager();

    // Creates a live actor of the kind (kWalkerKind, kPlayerKind, kGoalKind; others give false).
    bool Spawn(std::int32_t kind);
    // Updates every live actor in spawn order and draws those in view; the player, updated
    // last, is sent back by a walker it touches and ends its run at the goal. Always true.
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

    // A level read again: every live actor goes and the level's actors are spawned again: the
    // goal, then a walker at each walker placement in order (or the one walker at its own start
    // when there are none), then the player, so that it is drawn over the others. A kind first
    // spawned after the pictures were cut (a saved actors file) loads its picture and frames:
    // false when they do not load (the reason is in load_failure).
    bool Restart();
    // Where the player's runs start from now on (vorn7 --at, Tiled's Play), over the level's
    // player line; the player goes there at once.
    void SetPlayerStart(std::int32_t x, std::int32_t y);
    // The player's controls for this frame; the shell hands them down before the world is drawn.
    void SetControls(const PlayerControls& controls);
    // The level's player, or null when it places none (the free camera plays).
    Player* ThePlayer() const { return player_; }
    // The level's placements (its x2.actors), used by every Restart from now on; the shell sets
    // them at start-up and when a watched actors file is saved.
    void SetPlacements(std::vector<ActorPlacement> placements);
    // The kinds' sheets read again, all or none: when one does not load, every kind keeps the
    // sheet it held. False then.
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
    Player* player_ = nullptr;
    bool playerStartGiven_ = false;
    std::int32_t playerStartX_ = 0, playerStartY_ = 0;
    bool framesLoaded_ = false;  // the kinds' frames have been cut once: a new kind cuts its own

    // The player's touches with the others, after its update.
    void Touch();
};
