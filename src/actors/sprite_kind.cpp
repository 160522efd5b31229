#include "actors/sprite_kind.h"

#include "actors/sprite_constants.h"
#include "graphics/picture_layout.h"

namespace {
constexpr std::int32_t kFrameInterval = 200;  // ms per walk frame
}  // namespace

bool SpriteKind::RestoreStrip() {
    return strip_ ? strip_->Restore() != 0 : false;
}

void SpriteKind::ReleaseStrip() {
    if (!strip_) return;
    strip_->Release();
    strip_.reset();
}

WalkerSpriteKind::WalkerSpriteKind() {
    lastAnimation_ = 8;
}

void WalkerSpriteKind::CreateStrip() {
    if (!strip_)
        strip_ = std::make_unique<ClippedSurfaceStrip>(SpriteFrameCount, SpriteFrameWidth,
                                                       SpriteFrameHeight);
}

bool WalkerSpriteKind::LoadSheet() {
    return sheet_.Load(kWalkerSheetFile) != 0 &&
           CheckPictureCovers(sheet_, kWalkerSheetFile, kWalkerFrames) != 0;
}

bool WalkerSpriteKind::LoadFrames() {
    if (!strip_) return false;
    for (std::int32_t i = 0; i < SpriteFrameCount; ++i)
        if (strip_->LoadFrame(sheet_, i, kWalkerFrames.X(i), kWalkerFrames.Y(0)) == 0) return false;
    return true;
}

void WalkerSpriteKind::DrawFrame(std::int32_t screenX, std::int32_t screenY,
                                 IDirectDrawSurface* target, std::int32_t velocityX, std::int32_t,
                                 std::int32_t animation, std::int32_t elapsed) {
    if (animation != lastAnimation_) currentFrame_ = 0;
    // In 64 bits: one huge elapsed time must not overflow the accumulator.
    if (static_cast<std::int64_t>(accumulatedTime_) + elapsed >= kFrameInterval) {
        ++currentFrame_;
        accumulatedTime_ = 0;  // the excess is dropped: at most one frame per call
    } else {
        accumulatedTime_ += elapsed;
    }
    lastAnimation_ = animation;
    if (animation != 0) return;
    if (currentFrame_ > 3) currentFrame_ = 0;
    const std::int32_t index = currentFrame_ + (velocityX > 0 ? 4 : 0);
    if (strip_) strip_->Draw(index, screenX, screenY, target);
}

SheetSpriteKind::SheetSpriteKind(const char* fileName, const PictureGrid& grid)
    : fileName_(fileName), grid_(grid) {}

void SheetSpriteKind::CreateStrip() {
    if (!strip_)
        strip_ = std::make_unique<ClippedSurfaceStrip>(grid_.columns * grid_.rows, grid_.cellWidth,
                                                       grid_.cellHeight);
}

bool SheetSpriteKind::LoadSheet() {
    return sheet_.Load(fileName_) != 0 && CheckPictureCovers(sheet_, fileName_, grid_) != 0;
}

bool SheetSpriteKind::LoadFrames() {
    if (!strip_) return false;
    for (std::int32_t i = 0; i < grid_.columns * grid_.rows; ++i)
        if (strip_->LoadFrame(sheet_, i, grid_.X(i % grid_.columns), grid_.Y(i / grid_.columns)) ==
            0)
            return false;
    return true;
}

void SheetSpriteKind::DrawFrame(std::int32_t screenX, std::int32_t screenY,
                                IDirectDrawSurface* target, std::int32_t, std::int32_t,
                                std::int32_t animation, std::int32_t) {
    currentFrame_ = animation;
    if (strip_ && animation >= 0 && animation < grid_.columns * grid_.rows)
        strip_->Draw(animation, screenX, screenY, target);
}
