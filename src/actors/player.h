// The player's actor: runs and jumps as the player's controls say, on the walker's integrator,
// gravity and pixel scans (lands on what the walker lands on, stops at walls and ceilings).
// Touching a walker, a long fall or falling out of the bottom of the world sends it back to its
// start with a blink; reaching the goal ends the run, keeps its time and starts a new run. Spawned
// by the actor manager for a level's "player" line; the feel's numbers are in player_feel.h.
#pragma once

#include <cstdint>

#include "actors/actor.h"
#include "actors/player_controls.h"

class Player : public Actor {
  public:
    static constexpr std::int32_t kStepMs = 16;
    static constexpr std::int32_t kMaxStepsPerUpdate = 8;

    Player();
    // Runs the fixed steps the elapsed time holds, with the controls last handed down; true
    // when in view.
    bool Update(std::int32_t left, std::int32_t top, std::int32_t right,
                std::int32_t bottom) override;
    // Draws the pose for the motion and the facing; hidden in turns while blinking.
    void Draw(IDirectDrawSurface* target) override;
    ActorBody Body() const override;

    // The controls for the next update (ActorManager::SetControls, once a frame). A press is
    // kept until a step takes it, so a tap between two frames still jumps.
    void SetControls(const PlayerControls& controls);
    // Where a run starts: the frame's top-left corner. The player goes there now, standing.
    void StartAt(std::int32_t x, std::int32_t y);
    // Back to the start: a new run, blinking and untouchable for a moment.
    void Respawn();
    // The goal reached: the run's time is kept and a new run starts from the start.
    void ReachGoal();

    bool Blinking() const { return blinkMs_ > 0; }
    bool Grounded() const { return grounded_; }
    bool FacingLeft() const { return facingLeft_; }
    std::int32_t StartX() const { return startX_; }
    std::int32_t StartY() const { return startY_; }
    // Milliseconds of the run so far, and of the last run that reached the goal (-1: none yet).
    std::int32_t RunMs() const { return runMs_; }
    std::int32_t LastRunMs() const { return lastRunMs_; }
    std::int32_t Runs() const { return runs_; }  // runs started, the first included
    // The sheet's frame drawn last (kPlayerSheet: a row per facing, kPlayerPose within it).
    std::int32_t Frame() const { return frame_; }

  private:
    void Step();
    void MoveX(std::int32_t dx);
    void MoveY(std::int32_t dy);
    // Slides past a ceiling's corner met by the head rising dy (< 0); true when it did.
    bool SlidePastCorner(std::int32_t dy);
    // True when no pixel of the box is solid.
    bool Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const;
    void StepUpOrDown(bool wasGrounded);
    std::int32_t PoseFrame() const;

    PlayerControls controls_;
    std::int32_t startX_ = 0, startY_ = 0;
    bool grounded_ = false;
    bool jumping_ = false;  // rising from a jump, so the key's hold and release count
    bool facingLeft_ = false;
    std::int32_t jumpBufferMs_ = 0;
    std::int32_t coyoteMs_ = 0;
    std::int32_t blinkMs_ = 0;
    std::int32_t fallMs_ = 0;  // falling without a stop, for the long fall
    std::int32_t runMs_ = 0;
    std::int32_t lastRunMs_ = -1;
    std::int32_t runs_ = 1;
    std::int32_t runDistance_ = 0;  // pixels run on the ground, for the run animation
    std::int32_t frame_ = 0;
};
