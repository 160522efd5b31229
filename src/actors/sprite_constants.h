// The actors' pictures and their layouts: the walker's sheet (two rows of 64 x 64 frames from
// (1, 1), one pixel apart; the walker takes the 8 of the top row, the shell's strips both rows),
// the player's sheet and the goal. The game cuts by them and the asset generator draws by them.
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

// What the walker's kind cuts: the top row alone, so a sheet of one row (520 x 65) serves it.
constexpr PictureGrid kWalkerFrames{SpriteSheetLeft,
                                    SpriteSheetTop,
                                    SpriteFrameWidth,
                                    SpriteFrameHeight,
                                    SpriteFrameWidth + SpriteFrameGap,
                                    SpriteFrameHeight + SpriteFrameGap,
                                    SpriteFrameCount,
                                    1};
// The whole sheet, as the shell's strips cut it: 8 frames a row (the lower row has 7), two rows.
constexpr PictureGrid kWalkerSheet = [] {
    PictureGrid sheet = kWalkerFrames;
    sheet.rows = 2;
    return sheet;
}();

// The player's sheet: 32 x 48 frames from (1, 1), one pixel apart; a row per facing (right, then
// left), in each the poses of kPlayerPose order. Its feet end on the frame's bottom row.
constexpr const char* kPlayerSheetFile = "gfx/player.bmp";
enum PlayerPose : std::int32_t {
    kPoseStand = 0,
    kPoseRun = 1,  // four frames from here
    kPoseJump = 5,
    kPoseFall = 6,
    kPlayerPoseCount = 7,
};
constexpr PictureGrid kPlayerSheet{1, 1, 32, 48, 33, 49, kPlayerPoseCount, 2};

// The goal: one 32 x 64 frame at (1, 1), standing on the ground at its bottom row.
constexpr const char* kGoalPictureFile = "gfx/goal.bmp";
constexpr PictureGrid kGoalPicture{1, 1, 32, 64, 33, 65, 1, 1};
