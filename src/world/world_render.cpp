// Draws the world for a view centre: parallax background, tiles at world speed, the actors,
// and the foreground blocks at four times the camera's speed.
#include "actors/actor_manager.h"
#include "display/display.h"
#include "world/cell_walk.h"
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
    if (static_cast<std::int64_t>(x) + hw > worldWidth_)
        cx -= static_cast<std::int64_t>(x) + hw - worldWidth_;
    std::int64_t cy = (static_cast<std::int64_t>(y) - hh < 0) ? hh : y;
    if (static_cast<std::int64_t>(y) + hh > worldHeight_)
        cy -= static_cast<std::int64_t>(y) + hh - worldHeight_;
    return {static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy)};
}

CellPosition World::BackgroundOffset(std::int32_t x, std::int32_t y) const {
    const std::int32_t w = DisplayMode.width, h = DisplayMode.height;
    const std::int32_t hw = w >> 1, hh = h >> 1;
    const std::int32_t ox =
        w >= kBackgroundWidth ? 0 : (x - hw) * (kBackgroundWidth - w) / (worldWidth_ - w);
    const std::int32_t oy =
        h >= kBackgroundHeight ? 0 : (y - hh) * (kBackgroundHeight - h) / (worldHeight_ - h);
    return {ox, oy};
}

ViewRectangle World::TileLayerView(std::int32_t x, std::int32_t y) const {
    const std::int32_t hw = DisplayMode.width >> 1, hh = DisplayMode.height >> 1;
    ViewRectangle v{x - hw, y - hh, x + hw, y + hh};
    if (hw % kTileSize != 0) v.right += 31;  // the test is on the half sizes
    if (hh % kTileSize != 0) v.bottom += 31;
    return v;
}

ViewRectangle World::BlockLayerView(std::int32_t x, std::int32_t y) const {
    const std::int32_t hw = DisplayMode.width >> 1, hh = DisplayMode.height >> 1;
    const std::int32_t left = kBlockLayerSpeed * (x - hw), top = kBlockLayerSpeed * (y - hh);
    return {left, top, left + 2 * hw + (hw % kBlockSize != 0 ? 127 : 0),
            top + 2 * hh + (hh % kBlockSize != 0 ? 127 : 0)};
}

std::int32_t World::DrawBackground(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface) {
    const CellPosition offset = BackgroundOffset(x, y);
    backgroundBank_->Draw(0, -offset.x, -offset.y, surface);
    return 1;
}

std::int32_t World::DrawTileLayer(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface) {
    const ViewRectangle v = TileLayerView(x, y);
    ForEachCellInView(v, kTileSize,
                      [&](std::int32_t wx, std::int32_t wy, std::int32_t sx, std::int32_t sy) {
                          const std::int32_t index = CellAt(wx, wy).tileIndex;
                          if (index >= 0) tileBank_->Draw(index, sx, sy, surface);
                      });
    return actorManager_->UpdateAndDraw(v.left, v.top, v.right, v.bottom, surface) ? 1 : 0;
}

std::int32_t World::DrawBlockLayer(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface) {
    const ViewRectangle v = BlockLayerView(x, y);
    ForEachCellInView(
        v, kBlockSize, [&](std::int32_t bx, std::int32_t by, std::int32_t sx, std::int32_t sy) {
            const std::int32_t index = GridCellAt(bx, by, kBlockSize, kBlockSize).tileIndex;
            if (IsDrawnBlock(index)) blockBank_->Draw(index, sx, sy, surface);
        });
    return 1;
}
