// The graphics shared by all actors of one kind: the sheet picture, its strip of frames and
// one animation counter. The actor manager owns the kinds and forwards the World's surface
// life cycle to them.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/bitmap.h"
#include "graphics/picture_layout.h"
#include "graphics/surface_strip.h"

class SpriteKind {
  public:
    virtual ~SpriteKind() = default;

    // Creates the strip for the current display mode unless it exists.
    virtual void CreateStrip() {}
    // Loads the sheet picture; false when it is missing, damaged or too small.
    virtual bool LoadSheet() { return false; }
    // Copies the sheet's frames into the strip; false without a strip or on a failed copy.
    virtual bool LoadFrames() { return false; }
    // Draws the frame for the motion and steps the animation by elapsed milliseconds.
    virtual void DrawFrame(std::int32_t /*screenX*/, std::int32_t /*screenY*/,
                           IDirectDrawSurface* /*target*/, std::int32_t /*velocityX*/,
                           std::int32_t /*velocityY*/, std::int32_t /*animation*/,
                           std::int32_t /*elapsed*/) {}

    // False when the kind holds no strip or a frame fails to restore.
    bool RestoreStrip();
    // Releases the strip's surfaces and drops it (before a mode switch, at shutdown).
    void ReleaseStrip();

    SurfaceStrip* Strip() const { return strip_.get(); }
    // The sheet in memory; the actor manager sets it aside while a saved one is read.
    Bitmap& Sheet() { return sheet_; }
    std::int32_t CurrentFrame() const { return currentFrame_; }
    std::int32_t AccumulatedTime() const { return accumulatedTime_; }

  protected:
    std::int32_t lastAnimation_ = 0;
    std::int32_t currentFrame_ = 0;
    std::int32_t accumulatedTime_ = 0;
    std::unique_ptr<ClippedSurfaceStrip> strip_;
    Bitmap sheet_;
};

// Kind 0: the walker's 8-frame walk cycle from "vornsprites24bit.bmp", advanced every 200 ms.
class WalkerSpriteKind : public SpriteKind {
  public:
    WalkerSpriteKind();
    void CreateStrip() override;
    bool LoadSheet() override;
    bool LoadFrames() override;
    void DrawFrame(std::int32_t screenX, std::int32_t screenY, IDirectDrawSurface* target,
                   std::int32_t velocityX, std::int32_t velocityY, std::int32_t animation,
                   std::int32_t elapsed) override;
};

// A kind whose frames are every cell of its picture's grid, row by row, and whose actor names
// the frame to draw (the animation argument): the player's sheet and the goal.
class SheetSpriteKind : public SpriteKind {
  public:
    SheetSpriteKind(const char* fileName, const PictureGrid& grid);
    void CreateStrip() override;
    bool LoadSheet() override;
    bool LoadFrames() override;
    // Draws frame number animation (0 to the grid's cells less one); the actor animates itself.
    void DrawFrame(std::int32_t screenX, std::int32_t screenY, IDirectDrawSurface* target,
                   std::int32_t velocityX, std::int32_t velocityY, std::int32_t animation,
                   std::int32_t elapsed) override;

  private:
    const char* fileName_;
    PictureGrid grid_;
};
