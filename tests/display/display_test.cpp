// The measured transparent colour, mode switching with refused modes, and recovery of lost
// surfaces.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "platform/gdi.h"
#include "platform/test_seams.h"
#include "shell/mode_cycling.h"
#include "shell/surface_life_cycle.h"
#include "world/world.h"

namespace {

class Measure : public ::testing::TestWithParam<int> {};

TEST_P(Measure, KeyValueIsMaskedToTheDepthAndTheCornerPixelIsPutBack) {
    ASSERT_TRUE(display_fixture::Open(640, 480, GetParam()));
    display_fixture::SetRaw(FrontSurface, 0, 0, display_fixture::RawOf(12, 34, 56));
    const std::uint32_t before = display_fixture::RawAt(FrontSurface, 0, 0);
    const DWORD key = MatchColour(RGB(189, 198, 255), FrontSurface);
    EXPECT_EQ(key, display_fixture::RawOf(189, 198, 255));
    if (GetParam() < 32) {
        EXPECT_EQ(key >> GetParam(), 0u);
    }
    EXPECT_EQ(display_fixture::RawAt(FrontSurface, 0, 0), before);
    display_fixture::Close();
}

INSTANTIATE_TEST_SUITE_P(AllDepths, Measure, ::testing::Values(8, 16, 24, 32));

TEST(Measure, RetriesWhileStillDrawingAndReportsOtherLockFailures) {
    ASSERT_TRUE(display_fixture::Open(800, 600, 32));
    test_seams::InjectedFaults().lockStillDrawing = 50;
    EXPECT_EQ(MatchColour(RGB(189, 198, 255), FrontSurface), 0xBDC6FFu);
    EXPECT_EQ(test_seams::InjectedFaults().lockStillDrawing, 0);
    test_seams::LoseAllSurfaces();
    EXPECT_EQ(MatchColour(RGB(189, 198, 255), FrontSurface), kColourUnmatched);
    FrontSurface->Restore();
    test_seams::InjectedFaults().failGetDC = true;  // nothing drawn, but the read still happens
    display_fixture::SetRaw(FrontSurface, 0, 0, 0x123456);
    EXPECT_EQ(MatchColour(RGB(189, 198, 255), FrontSurface), 0x123456u);
    test_seams::InjectedFaults().failGetDC = false;
    display_fixture::Close();
}

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
