// The walker's sprite sheet: 8 frames of 64 x 64 in a row from (1, 1), one pixel apart.
#pragma once

#include <cstdint>

constexpr std::int32_t SpriteFrameCount = 8;
constexpr std::int32_t SpriteFrameWidth = 64;
constexpr std::int32_t SpriteFrameHeight = 64;
constexpr std::int32_t SpriteSheetLeft = 1;
constexpr std::int32_t SpriteSheetTop = 1;
constexpr std::int32_t SpriteFrameGap = 1;
