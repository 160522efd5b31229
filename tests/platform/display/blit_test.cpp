// Keyed copies, clipping, locking and lost surfaces in every depth.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "platform/seams/test_seams.h"

namespace {

class Blits : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override { ASSERT_TRUE(display_fixture::Open(640, 480, GetParam())); }
    void TearDown() override { display_fixture::Close(); }
};

// A 64-wide frame whose column c holds a colour unique to c, with the key in column 20.
IDirectDrawSurface* MakeFrame(std::uint32_t key) {
    IDirectDrawSurface* frame = display_fixture::MakeSurface(64, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 64; ++x)
            display_fixture::SetRaw(frame, x, y,
                                    x == 20 ? key : display_fixture::RawOf(x * 3, 40, 90));
    DDCOLORKEY ck{key, key};
    frame->SetColorKey(DDCKEY_SRCBLT, &ck);
    return frame;
}

TEST_P(Blits, ClippedKeyedCopyCutsTheLeftColumnsAndSkipsKeyPixels) {
    IDirectDrawSurface* frame = MakeFrame(TransparentColour);
    const std::uint32_t background = display_fixture::RawOf(0, 0, 0);
    display_fixture::Fill(BackSurface, background);
    RECT dest{-10, 5, 54, 13}, source{0, 0, 64, 8};
    ASSERT_EQ(BackSurface->Blt(&dest, frame, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    for (int x = 0; x < 60; ++x) {
        const std::uint32_t got = display_fixture::RawAt(BackSurface, x, 5);
        if (x >= 54 || x == 10)
            EXPECT_EQ(got, background) << x;  // past the frame, or under the key column 20
        else
            EXPECT_EQ(got, display_fixture::RawAt(frame, x + 10, 0)) << x;
    }
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 0, 4), background);
    // Wholly outside: nothing drawn, and no error.
    RECT outside{-100, -100, -36, -92};
    EXPECT_EQ(BackSurface->Blt(&outside, frame, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr),
              DD_OK);
    RECT farRight{700, 0, 764, 8};
    EXPECT_EQ(BackSurface->Blt(&farRight, frame, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr),
              DD_OK);
    frame->Release();
}

// The source's top rows cut off: every other row lands on its own row, key pixels skipped.
TEST_P(Blits, ClippedTopRowsOfAKeyedSourceLandOnTheirOwnRows) {
    IDirectDrawSurface* frame = display_fixture::MakeSurface(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            display_fixture::SetRaw(
                frame, x, y,
                (x + y) % 5 == 0 ? TransparentColour : display_fixture::RawOf(x * 9, y * 30, 90));
    DDCOLORKEY ck{TransparentColour, TransparentColour};
    frame->SetColorKey(DDCKEY_SRCBLT, &ck);
    const std::uint32_t background = display_fixture::RawOf(0, 0, 0);
    display_fixture::Fill(BackSurface, background);
    RECT dest{4, -3, 20, 5}, source{0, 0, 16, 8};
    ASSERT_EQ(BackSurface->Blt(&dest, frame, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool drawn = y < 5 && (x + y + 3) % 5 != 0;
            EXPECT_EQ(display_fixture::RawAt(BackSurface, x + 4, y),
                      drawn ? display_fixture::RawAt(frame, x, y + 3) : background)
                << x << ", " << y;
        }
    frame->Release();
}

// A keyed copy of a surface onto itself covers its key column; later keyed copies from it see
// the new pixels, not the runs worked out before that copy.
TEST_P(Blits, ASurfaceCopiedOntoItselfIsCopiedWithItsNewPixels) {
    IDirectDrawSurface* frame = MakeFrame(TransparentColour);
    RECT opaque{30, 0, 40, 8};
    ASSERT_EQ(frame->BltFast(15, 0, frame, &opaque, DDBLTFAST_SRCCOLORKEY), DD_OK);
    display_fixture::Fill(BackSurface, display_fixture::RawOf(0, 0, 0));
    ASSERT_EQ(BackSurface->BltFast(0, 0, frame, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 20, 3), display_fixture::RawAt(frame, 35, 3));
    frame->Release();
}

TEST_P(Blits, FastCopyRefusesRectanglesNotWhollyInside) {
    IDirectDrawSurface* frame = MakeFrame(TransparentColour);
    const std::uint32_t background = display_fixture::RawOf(0, 0, 0);
    display_fixture::Fill(BackSurface, background);
    EXPECT_LT(BackSurface->BltFast(600, 0, frame, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT),
              0);
    EXPECT_LT(
        BackSurface->BltFast(static_cast<DWORD>(-5), 0, frame, nullptr, DDBLTFAST_SRCCOLORKEY), 0);
    for (int x = 560; x < 640; ++x)
        EXPECT_EQ(display_fixture::RawAt(BackSurface, x, 0), background);
    EXPECT_EQ(BackSurface->BltFast(576, 0, frame, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT),
              DD_OK);
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 576 + 20, 0), background);
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 639, 0), display_fixture::RawAt(frame, 63, 0));
    frame->Release();
}

TEST_P(Blits, LockReportsDepthAndPitchAndLostSurfacesRefuseUntilRestored) {
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    ASSERT_EQ(BackSurface->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, static_cast<DWORD>(GetParam()));
    EXPECT_GE(desc.lPitch, 640 * GetParam() / 8);
    EXPECT_EQ(desc.lPitch % 4, 0);
    BackSurface->Unlock(nullptr);
    desc.dwSize = 100;
    EXPECT_EQ(BackSurface->Lock(nullptr, &desc, 0, nullptr), DDERR_INVALIDPARAMS);

    IDirectDrawSurface* frame = MakeFrame(TransparentColour);
    test_seams::LoseAllSurfaces();
    RECT dest{0, 0, 64, 8}, source{0, 0, 64, 8};
    EXPECT_EQ(BackSurface->Blt(&dest, frame, &source, DDBLT_KEYSRC, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(FrontSurface->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(FrontSurface->Restore(), DD_OK);  // brings its back buffer back too
    EXPECT_EQ(FrontSurface->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(BackSurface->Blt(&dest, frame, &source, DDBLT_KEYSRC, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(frame->Restore(), DD_OK);
    EXPECT_EQ(BackSurface->Blt(&dest, frame, &source, DDBLT_KEYSRC, nullptr), DD_OK);
    frame->Release();
}

INSTANTIATE_TEST_SUITE_P(AllDepths, Blits, ::testing::Values(8, 16, 24, 32));

TEST(DisplayObjects, EverythingCreatedIsReleasedWithTheWindow) {
    ASSERT_TRUE(display_fixture::Open(800, 600, 32));
    EXPECT_EQ(test_seams::LiveSurfaceCount(), 2);  // the flip chain
    EXPECT_EQ(test_seams::LiveClipperCount(), 1);
    EXPECT_EQ(test_seams::LiveDisplayDeviceCount(), 1);
    display_fixture::Close();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), 0);
    EXPECT_EQ(test_seams::LiveClipperCount(), 0);
    EXPECT_EQ(test_seams::LiveDeviceContextCount(), 0);
    EXPECT_EQ(test_seams::LiveDisplayDeviceCount(), 0);
}

TEST(DisplayObjects, RefusedModesAndInjectedFailures) {
    test_seams::RefuseDisplayMode(800, 600, 32);
    EXPECT_FALSE(display_fixture::Open(800, 600, 32));
    display_fixture::Close();
    test_seams::AcceptAllDisplayModes();
    EXPECT_EQ(test_seams::LiveDisplayDeviceCount(), 0);
    test_seams::InjectedFaults().failCreateClipper = true;
    EXPECT_FALSE(display_fixture::Open(800, 600, 32));
    display_fixture::Close();
    EXPECT_EQ(test_seams::LiveSurfaceCount(), 0);
}

TEST(DisplayObjects, FlipShowsTheBackBufferToTheObserver) {
    ASSERT_TRUE(display_fixture::Open(640, 480, 16));
    display_fixture::Fill(BackSurface, 0x1234);
    std::uint32_t seen = 0;
    int frames = 0;
    test_seams::SetFrameObserver([&](const test_seams::FrameView& f) {
        ++frames;
        seen = static_cast<std::uint32_t>(f.pixels[0] | (f.pixels[1] << 8));
        EXPECT_EQ(f.width, 640);
        EXPECT_EQ(f.bitsPerPixel, 16);
    });
    EXPECT_EQ(FrontSurface->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(seen, 0x1234u);
    test_seams::SetFrameObserver({});
    display_fixture::Close();
}

}  // namespace
