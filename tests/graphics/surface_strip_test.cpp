// Strips: creation that survives failed frames, restore that stops at the first failure.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "graphics/surface_strip.h"
#include "platform/seams/test_seams.h"

namespace {

class Strips : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(display_fixture::Open(640, 480, 16)); }
    void TearDown() override { display_fixture::Close(); }
};

TEST_F(Strips, AFailedFrameStaysEmptyAndIsSkipped) {
    const int before = test_seams::LiveSurfaceCount();
    test_seams::InjectedFaults().failSurfaceCreationNumber = 3;  // frame 2 of 8
    ClippedSurfaceStrip strip(8, 64, 64);
    EXPECT_EQ(test_seams::LiveSurfaceCount(), before + 7);
    EXPECT_EQ(strip.FrameSurface(2), nullptr);
    DDCOLORKEY key{};
    ASSERT_NE(strip.FrameSurface(3), nullptr);
    EXPECT_EQ(strip.FrameSurface(3)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, TransparentColour);
    EXPECT_LT(strip.Draw(2, 0, 0, BackSurface), 0);  // an empty frame reports failure
    EXPECT_LT(strip.Draw(99, 0, 0, BackSurface), 0);
    test_seams::LoseAllSurfaces();
    EXPECT_EQ(strip.Restore(), 1);  // the empty frame does not make it fail
    strip.Release();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), before);
}

TEST_F(Strips, RestoreStopsAtTheFirstFailure) {
    ClippedSurfaceStrip strip(3, 8, 8);
    test_seams::LoseAllSurfaces();
    test_seams::InjectedFaults().failRestoreNumber = 2;  // frame 1
    EXPECT_EQ(strip.Restore(), 0);
    EXPECT_EQ(strip.FrameSurface(0)->IsLost(), DD_OK);
    EXPECT_EQ(strip.FrameSurface(1)->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(strip.FrameSurface(2)->IsLost(), DDERR_SURFACELOST);  // never asked
    strip.Release();
}

TEST_F(Strips, AnEmptyStripHasNothingToDo) {
    const int before = test_seams::LiveSurfaceCount();
    ClippedSurfaceStrip strip(0, 64, 64);
    EXPECT_EQ(test_seams::LiveSurfaceCount(), before);
    EXPECT_EQ(strip.Restore(), 1);
    strip.Release();
    EXPECT_EQ(strip.FrameCount(), 0);
}

TEST_F(Strips, ClippedDrawOfAFramePartlyOffTheLeftEdge) {
    ClippedSurfaceStrip strip(1, 64, 4);
    IDirectDrawSurface* frame = strip.FrameSurface(0);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 4; ++y)
            display_fixture::SetRaw(frame, x, y, static_cast<std::uint32_t>(x + 1));
    display_fixture::Fill(BackSurface, 0);
    EXPECT_EQ(strip.Draw(0, -10, 0, BackSurface), DD_OK);
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 0, 0), 11u);  // frame column 10
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 53, 0), 64u);
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 54, 0), 0u);
    EXPECT_EQ(strip.Draw(0, INT32_MAX - 5, 0, BackSurface), DD_OK);  // no overflow at the limit
    strip.Release();
}

}  // namespace
