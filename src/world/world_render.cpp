// Draws the world for a view centre: parallax background, tiles at world speed, the actors,
// and the foreground blocks at four times the camera's speed.
#include "actors/actor_manager.h"
#include "display/display.h"
#include "world/world.h"

std::int32_t World::Draw(std::int32_t centreX, std::int32_t centreY, IDirectDrawSurface* surface) {
    const CellPosition c = ClampViewCentre(centreX, centreY);
    DrawBackground(c.x, c.y, surface);
    DrawTileLayer(c.x, c.y, surface);
    DrawBlockLayer(c.x, c.y, surface);
    return 1;
}

CellPosition World::ClampViewCentre(std::int32_t x, std::int32_t y) const {
    const std::int32_t hw = DisplayMode.width >> 1, hh = DisplayMode.height >> 1;
    // In 64 bits: a centre near the int limits must not overflow the edge tests.
    std::int64_t cx = (static_cast<std::int64_t>(x) - hw < 0) ? hw : x;
    if (static_cast<std::int64_t>(x) + hw > worldWidth_) cx -= static_cast<std::int64_t>(x) + hw - worldWidth_;
    std::int64_t cy = (static_cast<std::int64_t>(y) - hh < 0) ? hh : y;
    if (static_cast<std::int64_t>(y) + hh > worldHeight_) cy -= static_cast<std::int64_t>(y) + hh - worldHeight_;
    return {static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy)};
}

std::int32_t World::DrawBackground(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface) {
    const std::int32_t w = DisplayMode.width, h = DisplayMode.height;
    const std::int32_t hw = w >> 1, hh = h >> 1;
    const std::int32_t ox =
        w >= kBackgroundWidth ? 0 : (x - hw) * (kBackgroundWidth - w) / (worldWidth_ - w);
    const std::int32_t oy =
        h >= kBackgroundHeight ? 0 : (y - hh) * (kBackgroundHeight - h) / (worldHeight_ - h);
    backgroundBank_->Draw(0, -ox, -oy, surface);
    return 1;
}

std::int32_t World::DrawTileLayer(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface) {
    const std::int32_t hw = DisplayMode.width >> 1, hh = DisplayMode.height >> 1;
    const std::int32_t left = x - hw, top = y - hh;
    std::int32_t right = x + hw, bottom = y + hh;
    if (hw % kTileSize != 0) right += 31;
    if (hh % kTileSize != 0) bottom += 31;
    std::int32_t sx = -(left % kTileSize);
    for (std::int32_t wx = left; wx <= right; wx += kTileSize, sx += kTileSize) {
        std::int32_t sy = -(top % kTileSize);
        for (std::int32_t wy = top; wy <= bottom; wy += kTileSize, sy += kTileSize) {
            const std::int32_t index = CellAt(wx, wy).tileIndex;
            if (index >= 0) tileBank_->Draw(index, sx, sy, surface);
        }
    }
    return actorManager_->UpdateAndDraw(left, top, right, bottom, surface) ? 1 : 0;
}

std::int32_t World::DrawBlockLayer(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface) {
    const std::int32_t hw = DisplayMode.width >> 1, hh = DisplayMode.height >> 1;
    const std::int32_t left = 4 * (x - hw), top = 4 * (y - hh);
    const std::int32_t right = left + 2 * hw + (hw % kBlockSize != 0 ? 127 : 0);
    const std::int32_t bottom = top + 2 * hh + (hh % kBlockSize != 0 ? 127 : 0);
    std::int32_t sx = -(left % kBlockSize);
    for (std::int32_t bx = left; bx <= right; bx += kBlockSize, sx += kBlockSize) {
        std::int32_t sy = -(top % kBlockSize);
        for (std::int32_t by = top; by <= bottom; by += kBlockSize, sy += kBlockSize) {
            const std::int32_t index = GridCellAt(bx, by, kBlockSize, kBlockSize).tileIndex;
            if (index >= 0 && index <= 2) blockBank_->Draw(index, sx, sy, surface);
        }
    }
    return 1;
}
