// The walker's sprite sheet: 8 frames of 64 x 64 in a row from (1, 1), one pixel apart.
#pragma once

#include <cstdint>

// The sheet's file; the shell cuts its strips from the same picture. (These names follow the
// walker's own, without the k of the other constants.)
constexpr const char* kWalkerSheetFile = "vornsprites24bit.bmp";
constexpr std::int32_t SpriteFrameCount = 8;
constexpr std::int32_t SpriteFrameWidth = 64;
constexpr std::int32_t SpriteFrameHeight = 64;
constexpr std::int32_t SpriteSheetLeft = 1;
constexpr std::int32_t SpriteSheetTop = 1;
constexpr std::int32_t SpriteFrameGap = 1;
