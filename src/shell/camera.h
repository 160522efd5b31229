// The free camera: position in world pixels (the view centre), velocity in tenths of a pixel
// per millisecond. Keys change the velocity (keyboard.h); the frame tick moves and clamps the
// position. Defined with the keys, in keyboard.cpp.
#pragma once

#include <cstdint>

struct CameraRecord {
    std::int32_t x;
    std::int32_t y;
    std::int32_t velocityX;
    std::int32_t velocityY;
};

extern CameraRecord Camera;
