// The camera that follows the level's player: the player moves freely in the middle of the view
// (the dead zone of player_feel.h) and the camera follows past it, smoothly and in whole pixels,
// never showing outside the world. The frame tick calls it instead of the free camera's motion
// while a level has a player.
#pragma once

#include <cstdint>

#include "shell/camera.h"

// The camera after elapsed milliseconds of following a player whose body's centre is (x, y);
// its velocity stays 0. The view it gives is clamped as the world clamps a view centre.
CameraRecord FollowPlayer(const CameraRecord& camera, std::int32_t x, std::int32_t y,
                          std::int32_t elapsed);
// Play from here (vorn7 --at, Tiled's Play): the player's runs start with its frame's middle at
// view centre (x, y), the player goes there and the camera with it. False, changing nothing,
// when the level has no player.
bool PlayFrom(std::int32_t x, std::int32_t y);
// The camera put on the player at once, if there is one (the start of play).
void CentreCameraOnPlayer();
