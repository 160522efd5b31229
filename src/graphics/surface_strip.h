// A fixed number of equal-size off-screen surfaces (frames), filled from a picture and drawn
// with the display's transparent colour as source colour key. Owners: the shell strips, the
// tile slots and the sprite kinds; they release and rebuild strips at every display-mode change.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/display/ddraw.h"

class Bitmap;

class SurfaceStrip {
  public:
    // Creates the frame surfaces on the DisplayDevice, keyed with the current TransparentColour.
    SurfaceStrip(std::int32_t frameCount, std::int32_t frameWidth, std::int32_t frameHeight);
    virtual ~SurfaceStrip() = default;  // frees the array only: Release comes first
    SurfaceStrip(const SurfaceStrip&) = delete;
    SurfaceStrip& operator=(const SurfaceStrip&) = delete;

    // Creates the frame surfaces (the constructor does); a frame that fails stays null.
    void Create();
    // 1 when copied; 0 (and nothing touched) for a frame whose surface does not exist.
    [[nodiscard]] std::int32_t LoadFrame(Bitmap& bitmap, std::int32_t frame, std::int32_t sheetX,
                                         std::int32_t sheetY);
    // Fast keyed copy, unclipped; the platform's result (negative = failure).
    virtual HRESULT Draw(std::int32_t frame, std::int32_t x, std::int32_t y,
                         IDirectDrawSurface* target);
    // 1 when every existing frame was restored; stops at the first failure.
    [[nodiscard]] std::int32_t Restore();
    // Releases every frame's surface; the owner then drops the strip.
    void Release();
    std::int32_t FrameCount() const { return frameCount_; }
    // The frame's surface, or null when its creation failed (or the index is out of range).
    IDirectDrawSurface* FrameSurface(std::int32_t frame) const;

  protected:
    std::unique_ptr<IDirectDrawSurface*[]> frames_;
    std::int32_t frameCount_;
    std::int32_t frameWidth_;
    std::int32_t frameHeight_;
};

// Draws with the clipped copy, so a frame partly off the target is drawn in part.
class ClippedSurfaceStrip : public SurfaceStrip {
  public:
    ClippedSurfaceStrip(std::int32_t frameCount, std::int32_t frameWidth, std::int32_t frameHeight);
    HRESULT Draw(std::int32_t frame, std::int32_t x, std::int32_t y,
                 IDirectDrawSurface* target) override;

  private:
    RECT sourceRect_;
};
