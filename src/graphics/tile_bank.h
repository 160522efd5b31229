// Indexed sets of equal-size images (the World's tiles, background and blocks). A slot is set
// up by its first load and keeps its size, frame count and collision mask while its surfaces
// are released and rebuilt, so collision queries work through a display-mode change. The World
// owns three and drives their life cycle; the walker's scans read their masks through it.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/collision_mask.h"
#include "graphics/surface_strip.h"

class Bitmap;

class TileSlot {
  public:
    TileSlot() = default;
    virtual ~TileSlot() = default;  // destroys the strip without releasing its surfaces

    // Sets the slot up (its strip, and its mask when withMask); called by the bank's first load.
    void Create(std::int32_t frameCount, std::int32_t width, std::int32_t height, bool withMask);
    // Copies the picture's cell at (sheetX, sheetY) into one frame and rebuilds the mask;
    // nonzero on success, 0 when the copy fails or the slot has no strip.
    std::int32_t LoadPicture(Bitmap& bitmap, std::int32_t frame, std::int32_t sheetX,
                             std::int32_t sheetY);
    // Rebuilds the mask from frame 0: a pixel is clear exactly when it equals the frame's colour
    // key, that is exactly when a keyed draw skips it.
    void BuildMask();
    // Draws the current frame at (x, y), clipped, and steps an animated slot's frame.
    virtual void Draw(std::int32_t x, std::int32_t y, IDirectDrawSurface* target);
    // Restores the strip's lost surfaces (the caller refills them); 0 on failure or no strip.
    [[nodiscard]] std::int32_t Restore();
    // Releases the strip's surfaces and drops it; the setup and the mask stay.
    void Release();
    // Rebuilds the strip released by Release, for the current display mode.
    void CreateSurfaces();

    std::int32_t FrameCount() const { return frameCount_; }
    std::int32_t CurrentFrame() const { return currentFrame_; }
    bool HasSurfaces() const { return hasSurfaces_ != 0; }
    bool HasMask() const { return hasMask_; }
    const CollisionMask* Mask() const { return mask_.get(); }
    SurfaceStrip* Strip() const { return strip_.get(); }

  private:
    std::int32_t frameCount_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::unique_ptr<ClippedSurfaceStrip> strip_;
    std::int32_t currentFrame_ = 0;
    std::int32_t hasSurfaces_ = 0;
    bool hasMask_ = false;
    std::unique_ptr<CollisionMask> mask_;
};

class TileBank {
  public:
    TileBank(std::int32_t count, std::int32_t width, std::int32_t height);

    // Sets the slot up on its first load (later loads keep that setup) and copies the picture;
    // nonzero on success (TileSlot::LoadPicture). The index must be below Count().
    std::int32_t LoadTile(std::int32_t index, Bitmap& bitmap, std::int32_t frame,
                          std::int32_t sheetX, std::int32_t sheetY, bool withMask,
                          std::int32_t frameCount);
    void Draw(std::int32_t index, std::int32_t x, std::int32_t y, IDirectDrawSurface* target);
    // The mask byte of a pixel of the slot; 0 for a slot without a mask.
    std::uint8_t MaskAt(std::int32_t index, std::int32_t x, std::int32_t y) const {
        const CollisionMask* mask = slots_[static_cast<std::size_t>(index)].Mask();
        return mask != nullptr ? mask->At(x, y) : std::uint8_t{0};
    }
    // The slots' CreateSurfaces, Restore and Release over every loaded slot; Restore stops at
    // the first failure and returns 0, else 1.
    void CreateSurfaces();
    [[nodiscard]] std::int32_t Restore();
    void Release();

    std::int32_t Count() const { return count_; }
    bool Loaded(std::int32_t index) const { return loaded_[static_cast<std::size_t>(index)] != 0; }
    TileSlot& Slot(std::int32_t index) { return slots_[static_cast<std::size_t>(index)]; }

  private:
    std::unique_ptr<TileSlot[]> slots_;
    std::unique_ptr<std::int32_t[]> loaded_;
    std::int32_t count_;
    std::int32_t width_;
    std::int32_t height_;
};
