// The camera that follows the player: still while the player is within the dead zone, following
// in whole pixels past it, coming to rest, and never showing outside the world.
#include "shell/camera_follow.h"

#include <gtest/gtest.h>

#include "actors/player_feel.h"
#include "display_fixture.h"

namespace {

using player_feel::kDeadZoneX;
using player_feel::kDeadZoneY;

TEST(CameraFollow, FollowsPastTheDeadZoneAndStaysInTheWorld) {
    ASSERT_TRUE(display_fixture::Open(800, 600, 32));
    const struct {
        const char* what;
        CameraRecord camera;
        int playerX, playerY, elapsed;
        CameraRecord expected;
    } cases[] = {
        {"within the dead zone: still", {2000, 2000, 0, 0}, 2040, 1965, 16, {2000, 2000, 0, 0}},
        {"past it: a share of the distance",
         {2000, 2000, 0, 0},
         2148,
         2000,
         16,
         {2000 + 100 * 16 / 100, 2000, 0, 0}},
        {"a long frame closes it all, never past",
         {2000, 2000, 0, 0},
         2148,
         1800,
         500,
         {2100, 1800 + kDeadZoneY, 0, 0}},
        {"the last pixels: one at a time",
         {2000, 2000, 0, 0},
         2000 + kDeadZoneX + 3,
         2000,
         16,
         {2001, 2000, 0, 0}},
        {"the world's corner: clamped as the view is",
         {500, 400, 0, 0},
         10,
         10,
         500,
         {400, 300, 0, 0}},
        {"the far corner", {7700, 7800, 0, 0}, 8190, 8190, 500, {7792, 7892, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CameraRecord got = FollowPlayer(c.camera, c.playerX, c.playerY, c.elapsed);
        EXPECT_EQ(got.x, c.expected.x);
        EXPECT_EQ(got.y, c.expected.y);
        EXPECT_EQ(got.velocityX, 0);
        EXPECT_EQ(got.velocityY, 0);
    }
    // A player standing still past the zone: the camera comes to rest exactly at its edge.
    CameraRecord camera{2000, 2000, 0, 0};
    for (int frame = 0; frame < 120; ++frame) camera = FollowPlayer(camera, 2500, 2000, 16);
    EXPECT_EQ(camera.x, 2500 - kDeadZoneX);
    display_fixture::Close();
}

}  // namespace
