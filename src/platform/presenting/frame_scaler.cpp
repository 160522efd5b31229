#include "platform/presenting/frame_scaler.h"

#include <algorithm>
#include <cstring>

#include "platform/display/pixel_format.h"

namespace frame_scaler {

bool FrameScaler::Configure(int frameWidth, int frameHeight, int windowWidth, int windowHeight) {
    if (frameWidth == frameWidth_ && frameHeight == frameHeight_ && windowWidth == windowWidth_ &&
        windowHeight == windowHeight_)
        return false;
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    windowWidth_ = windowWidth;
    windowHeight_ = windowHeight;
    // The largest size with the frame's aspect that fits, in 64 bits, centred.
    const std::int64_t byWidth = static_cast<std::int64_t>(windowWidth) * frameHeight;
    const std::int64_t byHeight = static_cast<std::int64_t>(windowHeight) * frameWidth;
    int width = windowWidth, height = windowHeight;
    if (byWidth > byHeight)
        width = static_cast<int>(byHeight / frameHeight);
    else
        height = static_cast<int>(byWidth / frameWidth);
    const int factor = std::min(windowWidth / frameWidth, windowHeight / frameHeight);
    if (wholeFactors_ && factor >= 1) {
        width = frameWidth * factor;
        height = frameHeight * factor;
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    view_ = {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
    sourceColumn_.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        sourceColumn_[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<std::int64_t>(x) * frameWidth / width);
    row_.resize(static_cast<std::size_t>(frameWidth));
    return true;
}

void FrameScaler::ScaleByWholeFactors(bool on) {
    wholeFactors_ = on;
    frameWidth_ = 0;
}

Box FrameScaler::ScaleRows(const std::uint8_t* pixels, int pitch, int bitsPerPixel, int top,
                           int bottom, std::uint8_t* window, int windowPitch, std::uint32_t alpha) {
    top = std::clamp(top, 0, frameHeight_);
    bottom = std::clamp(bottom, top, frameHeight_);
    // Window row y shows frame row y * frameHeight / height: the first and the one past the
    // last that show rows of [top, bottom).
    const std::int64_t h = view_.height;
    const int first = static_cast<int>((top * h + frameHeight_ - 1) / frameHeight_);
    const int last = static_cast<int>((bottom * h + frameHeight_ - 1) / frameHeight_);
    const std::size_t rowBytes = static_cast<std::size_t>(view_.width) * 4;
    int decoded = -1;
    for (int y = first; y < last; ++y) {
        const int source = static_cast<int>(y * std::int64_t{frameHeight_} / h);
        auto* out = reinterpret_cast<std::uint32_t*>(
            window + static_cast<std::ptrdiff_t>(view_.y + y) * windowPitch +
            static_cast<std::ptrdiff_t>(view_.x) * 4);
        if (source == decoded) {  // the row above shows the same frame row
            std::memcpy(out, reinterpret_cast<const std::uint8_t*>(out) - windowPitch, rowBytes);
            continue;
        }
        pixel_format::DecodeRowToXrgb(bitsPerPixel,
                                      pixels + static_cast<std::ptrdiff_t>(source) * pitch,
                                      frameWidth_, row_.data());
        decoded = source;
        for (int x = 0; x < view_.width; ++x)
            out[x] =
                row_[static_cast<std::size_t>(sourceColumn_[static_cast<std::size_t>(x)])] | alpha;
    }
    return {view_.x, view_.y + first, view_.width, last - first};
}

}  // namespace frame_scaler
