#include "graphics/tile_bank.h"

#include "graphics/bitmap.h"

void TileSlot::Create(std::int32_t frameCount, std::int32_t width, std::int32_t height,
                      bool withMask) {
    frameCount_ = frameCount;
    width_ = width;
    height_ = height;
    hasMask_ = withMask;
    hasSurfaces_ = 1;
    strip_ = std::make_unique<ClippedSurfaceStrip>(frameCount, width, height);
    if (withMask) mask_ = std::make_unique<CollisionMask>(width, height);
}

std::int32_t TileSlot::LoadPicture(Bitmap& bitmap, std::int32_t frame, std::int32_t sheetX,
                                   std::int32_t sheetY) {
    const std::int32_t r = strip_ ? strip_->LoadFrame(bitmap, frame, sheetX, sheetY) : 0;
    if (hasMask_) BuildMask();
    return r;
}

void TileSlot::BuildMask() {
    IDirectDrawSurface* frame0 = strip_ ? strip_->FrameSurface(0) : nullptr;
    if (frame0 == nullptr || mask_ == nullptr) return;
    DDCOLORKEY key{};
    if (frame0->GetColorKey(DDCKEY_SRCBLT, &key) < 0) return;
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    HRESULT hr;
    while ((hr = frame0->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    if (hr < 0) return;  // the mask stays as it was
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    const auto* base = static_cast<const std::uint8_t*>(desc.lpSurface);
    for (std::int32_t x = 0; x < width_; ++x) {
        for (std::int32_t y = 0; y < height_; ++y) {
            const std::uint8_t* p = base + static_cast<std::ptrdiff_t>(y) * desc.lPitch + x * bytes;
            std::uint32_t raw = 0;
            for (int b = 0; b < bytes; ++b) raw |= static_cast<std::uint32_t>(p[b]) << (8 * b);
            mask_->Set(x, y, raw == key.dwColorSpaceLowValue ? 0 : 1);
        }
    }
    frame0->Unlock(nullptr);
}

void TileSlot::Draw(std::int32_t x, std::int32_t y, IDirectDrawSurface* target) {
    if (strip_) strip_->Draw(currentFrame_, x, y, target);
    if (frameCount_ > 1) {
        ++currentFrame_;
        if (currentFrame_ == frameCount_) currentFrame_ = 0;
    }
}

std::int32_t TileSlot::Restore() {
    return strip_ ? strip_->Restore() : 0;
}

void TileSlot::Release() {
    if (strip_) {
        strip_->Release();
        strip_.reset();
    }
    hasSurfaces_ = 0;
}

void TileSlot::CreateSurfaces() {
    if (hasSurfaces_ == 0)
        strip_ = std::make_unique<ClippedSurfaceStrip>(frameCount_, width_, height_);
    hasSurfaces_ = 1;
}

TileBank::TileBank(std::int32_t count, std::int32_t width, std::int32_t height)
    : slots_(new TileSlot[static_cast<std::size_t>(count)]),
      loaded_(new std::int32_t[static_cast<std::size_t>(count)]()),
      count_(count),
      width_(width),
      height_(height) {}

std::int32_t TileBank::LoadTile(std::int32_t index, Bitmap& bitmap, std::int32_t frame,
                                std::int32_t sheetX, std::int32_t sheetY, bool withMask,
                                std::int32_t frameCount) {
    TileSlot& slot = Slot(index);
    if (loaded_[static_cast<std::size_t>(index)] == 0) {
        slot.Create(frameCount, width_, height_, withMask);
        loaded_[static_cast<std::size_t>(index)] = 1;
    }
    return slot.LoadPicture(bitmap, frame, sheetX, sheetY);
}

void TileBank::Draw(std::int32_t index, std::int32_t x, std::int32_t y,
                    IDirectDrawSurface* target) {
    Slot(index).Draw(x, y, target);
}

void TileBank::CreateSurfaces() {
    for (std::int32_t i = 0; i < count_; ++i)
        if (Loaded(i)) Slot(i).CreateSurfaces();
}

std::int32_t TileBank::Restore() {
    for (std::int32_t i = 0; i < count_; ++i)
        if (Loaded(i) && Slot(i).Restore() == 0) return 0;
    return 1;
}

void TileBank::Release() {
    for (std::int32_t i = 0; i < count_; ++i)
        if (Loaded(i)) Slot(i).Release();
}
