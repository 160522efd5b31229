// The millisecond stopwatch and FrameClock, the clock the game's timing reads (the frame tick, the
// walker, the walk animation; the platform's pacing and the gamepads' repeats keep their own).
// Started by start-up.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

class Stopwatch {
  public:
    virtual ~Stopwatch() = default;
    // Stores timeGetTime as the start time and returns it.
    virtual DWORD Start();
    // timeGetTime minus the start time, wrapping, as signed 32 bits.
    virtual std::int32_t Elapsed();
    // True, and stored = now, once interval ms have passed since stored.
    bool IntervalElapsed(std::int32_t& stored, std::int32_t interval);

  private:
    DWORD startTime_ = 0;
};

extern Stopwatch FrameClock;
