// One picture file held in memory in its own pixel format; rectangles of it are copied into
// display surfaces (by the surface strips) as often as the display needs them.
#pragma once

#include <cstdint>

#include "platform/display/ddraw.h"
#include "platform/win_types.h"

class Bitmap {
  public:
    Bitmap() = default;
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // 1 loaded, 0 failed. The earlier picture is deleted first, also when loading fails.
    [[nodiscard]] std::int32_t Load(const char* fileName);
    // Exchanges the pictures of two Bitmaps: a reload sets the held picture aside, and puts it
    // back when the new one does not load.
    void Swap(Bitmap& other);
    // Copies width x height from (sheetX, sheetY) of the picture to (0, 0) of target. Always 1,
    // also when target's device context cannot be had (then nothing is copied).
    std::int32_t CopyTo(IDirectDrawSurface* target, std::int32_t width, std::int32_t height,
                        std::int32_t sheetX, std::int32_t sheetY);

    HBITMAP handle() const { return handle_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

  private:
    std::int32_t StretchCopy(IDirectDrawSurface* target, std::int32_t destWidth,
                             std::int32_t destHeight, std::int32_t sourceWidth,
                             std::int32_t sourceHeight, std::int32_t sourceX, std::int32_t sourceY);

    HBITMAP handle_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};
