// Scaling into the window's framebuffer: bars where the aspect leaves room, and a frame shown
// band by band is the same picture as the frame scaled whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/presenting/frame_scaler.h"

namespace {

struct Sizes {
    int frameWidth, frameHeight, windowWidth, windowHeight;
    frame_scaler::Box view;
    bool wholeFactors = false;  // --scale integer
};

TEST(FrameScaler, BandsGiveTheWholeFramesPictureInsideTheBars) {
    for (const Sizes& c :
         {Sizes{800, 600, 1024, 768, {0, 0, 1024, 768}},
          Sizes{640, 480, 1920, 1080, {240, 0, 1440, 1080}},
          Sizes{1024, 768, 1280, 1024, {0, 32, 1280, 960}},
          Sizes{800, 600, 800, 600, {0, 0, 800, 600}}, Sizes{640, 480, 333, 251, {0, 1, 333, 249}},
          Sizes{640, 480, 1920, 1080, {320, 60, 1280, 960}, true},
          Sizes{800, 600, 1024, 768, {112, 84, 800, 600}, true},
          Sizes{1024, 768, 800, 600, {0, 0, 800, 600}, true}}) {
        SCOPED_TRACE(testing::Message()
                     << c.frameWidth << "x" << c.frameHeight << " in " << c.windowWidth << "x"
                     << c.windowHeight << (c.wholeFactors ? " by whole factors" : ""));
        // A 24-bit frame whose every pixel differs from its neighbours.
        const int pitch = c.frameWidth * 3 + 4;
        std::vector<std::uint8_t> frame(static_cast<std::size_t>(pitch) * c.frameHeight);
        for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 7);
        const int windowPitch = c.windowWidth * 4;
        const std::size_t windowBytes = static_cast<std::size_t>(windowPitch) * c.windowHeight;
        std::vector<std::uint8_t> whole(windowBytes, 0), banded(windowBytes, 0);

        frame_scaler::FrameScaler scaler;
        scaler.ScaleByWholeFactors(c.wholeFactors);
        ASSERT_TRUE(scaler.Configure(c.frameWidth, c.frameHeight, c.windowWidth, c.windowHeight));
        EXPECT_FALSE(scaler.Configure(c.frameWidth, c.frameHeight, c.windowWidth, c.windowHeight));
        const frame_scaler::Box v = scaler.View();
        EXPECT_EQ(std::vector<int>({v.x, v.y, v.width, v.height}),
                  std::vector<int>({c.view.x, c.view.y, c.view.width, c.view.height}));
        const frame_scaler::Box all = scaler.ScaleRows(frame.data(), pitch, 24, 0, c.frameHeight,
                                                       whole.data(), windowPitch, 0xFF000000u);
        EXPECT_EQ(all.y, v.y);
        EXPECT_EQ(all.height, v.height);
        int next = v.y;
        for (int top = 0; top < c.frameHeight; top += 7) {  // bands of 7 rows, in order
            const frame_scaler::Box rows = scaler.ScaleRows(
                frame.data(), pitch, 24, top, top + 7, banded.data(), windowPitch, 0xFF000000u);
            EXPECT_EQ(rows.y, next);  // the bands' window rows tile the view
            next = rows.y + rows.height;
        }
        EXPECT_EQ(next, v.y + v.height);
        EXPECT_EQ(banded, whole);
        // The bars stay as they were; the view's corner shows the frame's first pixel.
        const auto pixel = [&](int x, int y) {
            const std::uint8_t* p = whole.data() + y * windowPitch + x * 4;
            return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24);
        };
        EXPECT_EQ(pixel(v.x, v.y), 0xFF000000u | frame[0] | frame[1] << 8 | frame[2] << 16);
        if (v.x > 0) {
            EXPECT_EQ(pixel(v.x - 1, v.y), 0u);
        }
        if (v.y > 0) {
            EXPECT_EQ(pixel(v.x, v.y - 1), 0u);
        }
    }
}

}  // namespace
