// Base of everything that moves by itself. The actor manager owns actors, updates every one
// each drawn frame and draws those in view.
#pragma once

#include <cstdint>

#include "actors/motion_state.h"
#include "platform/display/ddraw.h"

class SpriteKind;

// A box of world pixels, both ends included: what of an actor touches another.
struct ActorBody {
    std::int32_t left, top, right, bottom;

    std::int32_t CentreX() const { return left + (right - left) / 2; }
    std::int32_t CentreY() const { return top + (bottom - top) / 2; }
    bool Overlaps(const ActorBody& o) const {
        return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
    }
};

class Actor {
  public:
    Actor();  // takes the first clock reading from the FrameClock
    virtual ~Actor() = default;

    // Called once by the actor manager when the actor has been created.
    virtual void OnSpawn() {}
    // Advances the actor by the time since its last update; true when it is in view.
    virtual bool Update(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom);
    // Draws at the screen position; called after an Update that returned true.
    virtual void Draw(IDirectDrawSurface* /*target*/) {}
    // What of the actor touches the player: its whole frame unless the kind says less.
    virtual ActorBody Body() const;

    void BindKind(SpriteKind* kind) { kind_ = kind; }
    // Puts the actor's frame's top-left corner at world pixel (x, y): where a level places it.
    void PlaceAt(std::int32_t x, std::int32_t y) {
        x_ = x;
        y_ = y;
    }
    // Screen position = position - (left, top); in view while it overlaps the display.
    bool UpdateScreenPosition(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom);

    const MotionState& Motion() const { return motion_; }
    std::int32_t X() const { return x_; }
    std::int32_t Y() const { return y_; }
    SpriteKind* Kind() const { return kind_; }

    std::int32_t Accumulator() const { return accumulator_; }

  protected:
    // Reads the FrameClock (the first update sees no time) and says how many fixed steps of
    // stepMs the time since the last update holds: at most maxSteps, what a longer pause leaves is
    // dropped, and less than a step waits for the next update. The walker's and the player's.
    std::int32_t StepsDue(std::int32_t stepMs, std::int32_t maxSteps);

    MotionState motion_;
    std::int32_t lastClockReading_;
    std::int32_t elapsedTime_ = 0;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    bool clockStarted_ = false;
    std::int32_t screenX_ = 0;
    std::int32_t screenY_ = 0;
    SpriteKind* kind_ = nullptr;
    std::int32_t accumulator_ = 0;  // measured milliseconds not yet stepped
};
