// The free camera: position in world pixels (the view centre), velocity in tenths of a pixel
// per millisecond. Keys change the velocity; the frame tick moves and clamps the position.
#pragma once

#include <cstdint>

struct CameraRecord {
    std::int32_t x;
    std::int32_t y;
    std::int32_t velocityX;
    std::int32_t velocityY;
};

extern CameraRecord Camera;

// Applies one WM_KEYDOWN (auto-repeats included); nonzero asks for the program to end.
[[nodiscard]] std::int32_t OnKeyDown(std::uintptr_t virtualKey);
