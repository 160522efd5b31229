// The walker's sprite sheet: two rows of 64 x 64 frames from (1, 1), one pixel apart; the
// walker takes the 8 of the top row, the shell's strips both rows.
#pragma once

#include <cstdint>

#include "graphics/picture_layout.h"

// The sheet's file; the shell cuts its strips from the same picture. (These names follow the
// walker's own, without the k of the other constants.)
constexpr const char* kWalkerSheetFile = "vornsprites24bit.bmp";
constexpr std::int32_t SpriteFrameCount = 8;
constexpr std::int32_t SpriteFrameWidth = 64;
constexpr std::int32_t SpriteFrameHeight = 64;
constexpr std::int32_t SpriteSheetLeft = 1;
constexpr std::int32_t SpriteSheetTop = 1;
constexpr std::int32_t SpriteFrameGap = 1;

// The whole sheet: 8 frames a row (the lower row has 7), two rows.
constexpr PictureGrid kWalkerSheet{SpriteSheetLeft,
                                   SpriteSheetTop,
                                   SpriteFrameWidth,
                                   SpriteFrameHeight,
                                   SpriteFrameWidth + SpriteFrameGap,
                                   SpriteFrameHeight + SpriteFrameGap,
                                   SpriteFrameCount,
                                   2};
