#include "graphics/surface_strip.h"

#include "display/display.h"
#include "graphics/bitmap.h"

SurfaceStrip::SurfaceStrip(std::int32_t frameCount, std::int32_t frameWidth,
                           std::int32_t frameHeight)
    : frames_(new IDirectDrawSurface*[static_cast<std::size_t>(frameCount > 0 ? frameCount : 0)]()),
      frameCount_(frameCount > 0 ? frameCount : 0),
      frameWidth_(frameWidth),
      frameHeight_(frameHeight) {
    Create();
}

void SurfaceStrip::Create() {
    DDCOLORKEY key{TransparentColour, TransparentColour};
    for (std::int32_t i = 0; i < frameCount_; ++i) {
        frames_[i] = CreateOffscreenSurface(frameWidth_, frameHeight_);  // null: the frame fails
        if (frames_[i] != nullptr) frames_[i]->SetColorKey(DDCKEY_SRCBLT, &key);
    }
}

IDirectDrawSurface* SurfaceStrip::FrameSurface(std::int32_t frame) const {
    if (frame < 0 || frame >= frameCount_) return nullptr;
    return frames_[frame];
}

std::int32_t SurfaceStrip::LoadFrame(Bitmap& bitmap, std::int32_t frame, std::int32_t sheetX,
                                     std::int32_t sheetY) {
    IDirectDrawSurface* surface = FrameSurface(frame);
    if (surface == nullptr) return 0;
    return bitmap.CopyTo(surface, frameWidth_, frameHeight_, sheetX, sheetY);
}

HRESULT SurfaceStrip::Draw(std::int32_t frame, std::int32_t x, std::int32_t y,
                           IDirectDrawSurface* target) {
    IDirectDrawSurface* surface = FrameSurface(frame);
    if (surface == nullptr || target == nullptr) return DDERR_INVALIDOBJECT;
    return target->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface, nullptr,
                           DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

std::int32_t SurfaceStrip::Restore() {
    std::int32_t result = 1;
    for (std::int32_t i = 0; i < frameCount_ && result == 1; ++i) {
        if (frames_[i] == nullptr) continue;
        result = frames_[i]->Restore() >= 0 ? 1 : 0;
    }
    return result;
}

void SurfaceStrip::Release() {
    for (std::int32_t i = 0; i < frameCount_; ++i)
        if (frames_[i] != nullptr) frames_[i]->Release();
}

ClippedSurfaceStrip::ClippedSurfaceStrip(std::int32_t frameCount, std::int32_t frameWidth,
                                         std::int32_t frameHeight)
    : SurfaceStrip(frameCount, frameWidth, frameHeight),
      sourceRect_{0, 0, frameWidth, frameHeight} {}

HRESULT ClippedSurfaceStrip::Draw(std::int32_t frame, std::int32_t x, std::int32_t y,
                                  IDirectDrawSurface* target) {
    IDirectDrawSurface* surface = FrameSurface(frame);
    if (surface == nullptr || target == nullptr) return DDERR_INVALIDOBJECT;
    // Positions near the int limits would overflow the far edges; nothing there is visible.
    const std::int64_t right = static_cast<std::int64_t>(x) + frameWidth_;
    const std::int64_t bottom = static_cast<std::int64_t>(y) + frameHeight_;
    if (right > INT32_MAX || bottom > INT32_MAX) return DD_OK;
    RECT dest{x, y, static_cast<LONG>(right), static_cast<LONG>(bottom)};
    return target->Blt(&dest, surface, &sourceRect_, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
}
