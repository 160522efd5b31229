// The real-window presenter shows exactly the flipped frame in every depth, through the renderer
// and through the window's framebuffer: the window's pixels, read back under the dummy driver,
// against the frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "game_run.h"
#include "platform/display/pixel_format.h"
#include "platform/win_types.h"

namespace {

class Presenter : public testing::TestWithParam<const char*> {};

TEST_P(Presenter, TheWindowShowsTheFlippedFrameInEveryDepth) {
    setenv("VORN7_PRESENTER", GetParam(), 1);
    game_run::UseHeadlessPlatform(16);
    test_seams::PresentHeadless(true);
    game_run::Press(2, VK_RETURN);  // 1024 x 768: the dummy desktop's size, so no scaling
    for (std::uint64_t f : {5, 8, 11, 14}) game_run::Press(f, VK_SPACE);  // 8, 16, 24, 32
    game_run::QuitAt(17);
    std::vector<std::uint32_t> expected, shown;
    int expectedBits = 0;
    std::map<int, int> compared;  // depth -> frames compared
    game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
        // What the window shows now is the frame flipped before this one.
        int w = 0, h = 0;
        if (expectedBits != 0 && test_seams::ReadShownPixels(shown, &w, &h)) {
            ASSERT_EQ(shown.size(), expected.size());
            // SDL's renderer widens 565 channels its own way: a few levels apart from ours.
            const int slack = expectedBits == 16 && GetParam()[0] == 'r' ? 8 : 0;
            for (std::size_t i = 0; i < shown.size(); ++i)
                for (int shift : {0, 8, 16}) {
                    const int a = static_cast<int>((shown[i] >> shift) & 0xFF);
                    const int b = static_cast<int>((expected[i] >> shift) & 0xFF);
                    ASSERT_LE(std::abs(a - b), slack)
                        << expectedBits << " bits: pixel (" << i % 1024 << ", " << i / 1024
                        << ") shows " << std::hex << shown[i] << ", the frame has " << expected[i];
                }
            ++compared[expectedBits];
        }
        expectedBits = 0;
        if (f.width != 1024 || f.height != 768) return;
        expected.resize(static_cast<std::size_t>(f.width) * f.height);
        for (int y = 0; y < f.height; ++y)
            pixel_format::DecodeRowToXrgb(f.bitsPerPixel, f.pixels + y * f.pitch, f.width,
                                          expected.data() + static_cast<std::size_t>(y) * f.width);
        expectedBits = f.bitsPerPixel;
    });
    for (int depth : {8, 16, 24, 32}) EXPECT_GE(compared[depth], 1) << depth;
    unsetenv("VORN7_PRESENTER");
}

INSTANTIATE_TEST_SUITE_P(BothWays, Presenter, testing::Values("renderer", "framebuffer"));

}  // namespace
