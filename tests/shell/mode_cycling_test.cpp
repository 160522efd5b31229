// Mode switching: both cycles come back to their start, refused modes are skipped (all refused:
// nothing changes), and the key is measured again for each new format.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "platform/seams/test_seams.h"
#include "shell/mode_cycling.h"
#include "world/world.h"

namespace {

class Cycling : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(800, 600, 32));
        TheWorld.CreateResources();
    }
    void TearDown() override { display_fixture::Close(); }
};

TEST_F(Cycling, DepthAndResolutionCyclesComeBackToTheStart) {
    std::vector<int> depths;
    for (int i = 0; i < 4; ++i) {
        CycleColourDepth();
        depths.push_back(DisplayMode.colourDepth);
        EXPECT_EQ(BackSurface->bitsPerPixel(), DisplayMode.colourDepth);
    }
    EXPECT_EQ(depths, (std::vector<int>{8, 16, 24, 32}));
    std::vector<int> widths;
    for (int i = 0; i < 3; ++i) {
        CycleResolution();
        widths.push_back(DisplayMode.width);
        EXPECT_EQ(BackSurface->width(), DisplayMode.width);
        EXPECT_EQ(BackSurface->height(), DisplayMode.height);
    }
    EXPECT_EQ(widths, (std::vector<int>{1024, 640, 800}));
    EXPECT_EQ(DisplayMode.colourDepth, 32);
}

TEST_F(Cycling, RefusedModesAreSkippedAndAllRefusedChangesNothing) {
    test_seams::RefuseDisplayMode(800, 600, 8);
    CycleColourDepth();
    EXPECT_EQ(DisplayMode.colourDepth, 16);
    test_seams::RefuseDisplayMode(1024, 768, 16);
    CycleResolution();
    EXPECT_EQ(DisplayMode.width, 640);
    EXPECT_EQ(DisplayMode.height, 480);
    // A display that accepts nothing at all: the switch returns with everything as it was.
    test_seams::InjectedFaults().failSetDisplayMode = true;
    IDirectDrawSurface* back = BackSurface;
    CycleColourDepth();
    CycleResolution();
    EXPECT_EQ(DisplayMode.colourDepth, 16);
    EXPECT_EQ(DisplayMode.width, 640);
    EXPECT_EQ(BackSurface, back);
    test_seams::InjectedFaults().failSetDisplayMode = false;
}

TEST_F(Cycling, TheKeyIsMeasuredAgainForTheNewFormat) {
    CycleColourDepth();  // to 8
    EXPECT_EQ(TransparentColour, 255u);
    CycleColourDepth();  // to 16
    EXPECT_EQ(TransparentColour, display_fixture::RawOf(189, 198, 255));
    EXPECT_LT(TransparentColour, 0x10000u);
}

}  // namespace
