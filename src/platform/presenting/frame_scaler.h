// Nearest-neighbour scaling of the shown frame into a window's own XRGB framebuffer, letterboxed
// with the aspect kept. The presenter uses it where the renderer would rasterize in software:
// only the rows that changed are scaled and sent to the window.
#pragma once

#include <cstdint>
#include <vector>

namespace frame_scaler {

struct Box {
    int x, y, width, height;
};

// One fixed source-to-window mapping per size, so that scaling a band of changed rows writes
// exactly what scaling the whole frame would. (SDL_BlitScaled works its mapping out from the
// rectangles of each call: a band scaled alone need not land on the rows the whole frame's
// scale puts it on.)
class FrameScaler {
  public:
    // Sets the sizes; true when they changed (the caller then clears the window and scales the
    // whole frame). Sizes must be positive.
    bool Configure(int frameWidth, int frameHeight, int windowWidth, int windowHeight);
    // On: the largest whole-number factor that fits (crisp pixels), centred; a window smaller
    // than the frame still gets the fit. The next Configure reports a change.
    void ScaleByWholeFactors(bool on);
    // Where the frame lands in the window.
    Box View() const { return view_; }
    // Scales frame rows [top, bottom) (raw pixels of 8, 16, 24 or 32 bits) into the window's
    // XRGB pixels, OR-ing alpha into each one; returns the window rows written.
    Box ScaleRows(const std::uint8_t* pixels, int pitch, int bitsPerPixel, int top, int bottom,
                  std::uint8_t* window, int windowPitch, std::uint32_t alpha);

  private:
    bool wholeFactors_ = false;
    int frameWidth_ = 0, frameHeight_ = 0, windowWidth_ = 0, windowHeight_ = 0;
    Box view_{0, 0, 0, 0};
    std::vector<int> sourceColumn_;   // for each window column of the view
    std::vector<std::uint32_t> row_;  // one frame row, decoded
};

}  // namespace frame_scaler
