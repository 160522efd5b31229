#include "shell/camera_follow.h"

#include <algorithm>

#include "actors/actor_manager.h"
#include "actors/player_feel.h"
#include "actors/sprite_constants.h"
#include "world/world.h"

namespace {

// One axis: where the camera must be for the player to stand at the dead zone's edge, and a
// move toward it of elapsed / kFollowMs of the distance, at least a pixel, never past it.
std::int32_t Follow(std::int32_t camera, std::int32_t player, std::int32_t zone,
                    std::int32_t elapsed) {
    const std::int64_t wanted = std::clamp<std::int64_t>(
        camera, static_cast<std::int64_t>(player) - zone, static_cast<std::int64_t>(player) + zone);
    const std::int64_t distance = wanted - camera;
    if (distance == 0) return camera;
    const std::int64_t time = std::clamp<std::int64_t>(elapsed, 0, player_feel::kFollowMs);
    std::int64_t move = distance * time / player_feel::kFollowMs;
    if (move == 0) move = distance > 0 ? 1 : -1;
    return static_cast<std::int32_t>(camera + move);
}

}  // namespace

CameraRecord FollowPlayer(const CameraRecord& camera, std::int32_t x, std::int32_t y,
                          std::int32_t elapsed) {
    const std::int32_t fx = Follow(camera.x, x, player_feel::kDeadZoneX, elapsed);
    const std::int32_t fy = Follow(camera.y, y, player_feel::kDeadZoneY, elapsed);
    const CellPosition clamped = TheWorld.ClampViewCentre(fx, fy);
    return {clamped.x, clamped.y, 0, 0};
}

void CentreCameraOnPlayer() {
    const Player* player = TheWorld.Actors() != nullptr ? TheWorld.Actors()->ThePlayer() : nullptr;
    if (player == nullptr) return;
    const ActorBody body = player->Body();
    const CellPosition clamped = TheWorld.ClampViewCentre(body.CentreX(), body.CentreY());
    Camera = {clamped.x, clamped.y, 0, 0};
}

bool PlayFrom(std::int32_t x, std::int32_t y) {
    if (TheWorld.Actors() == nullptr || TheWorld.Actors()->ThePlayer() == nullptr) return false;
    TheWorld.Actors()->SetPlayerStart(x - kPlayerSheet.cellWidth / 2,
                                      y - kPlayerSheet.cellHeight / 2);
    CentreCameraOnPlayer();
    return true;
}
