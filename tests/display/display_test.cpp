// The measured transparent colour: masked to the depth, the corner pixel put back, lock
// failures.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "platform/pictures/gdi.h"
#include "platform/seams/test_seams.h"

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

}  // namespace
