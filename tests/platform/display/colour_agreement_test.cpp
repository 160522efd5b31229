// The whole system's transparency rests on this: a picture pixel of exactly RGB(189,198,255),
// in any picture format, arrives in a surface of any depth as exactly the value the display
// measures for that colour, and no other colour does.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <tuple>

#include "bmp_writer.h"
#include "display/display.h"
#include "display_fixture.h"
#include "graphics/bitmap.h"
#include "platform/display/pixel_format.h"

namespace {

using bmp_writer::Format;

constexpr bmp_writer::Pixel kKey = 0xBDC6FF;
// The key's near neighbours and some ordinary colours; none of them may become the key.
constexpr bmp_writer::Pixel kOthers[] = {0xBDC6FE, 0xAAC8C8, 0xBCC6FF, 0xBDC5FF, 0xBEC6FF,
                                         0xB5C6FF, 0x000000, 0xFFFFFF, 0x4080C0};

bmp_writer::Pixel PictureAt(int x, int y) {
    // Even cells hold the key; the others cycle through the neighbours.
    const int cell = (x / 4) + (y / 4) * 4;
    return cell % 2 == 0 ? kKey : kOthers[(cell / 2) % std::size(kOthers)];
}

// Whether the picture holds the key at a pixel: a 555 picture keeps five bits a channel, so the
// key's nearest neighbours become the key there.
bool HoldsKey(Format format, bmp_writer::Pixel p) {
    if (format != Format::Rgb555) return p == kKey;
    return ((p >> 19) & 31) == (kKey >> 19) && ((p >> 11) & 31) == ((kKey >> 11) & 31) &&
           ((p >> 3) & 31) == ((kKey >> 3) & 31);
}

std::string AgreementName(const ::testing::TestParamInfo<std::tuple<int, Format>>& info) {
    return std::to_string(std::get<0>(info.param)) + "BitDisplay" +
           bmp_writer::FormatName(std::get<1>(info.param));
}

class ColourAgreement : public ::testing::TestWithParam<std::tuple<int, Format>> {};

TEST_P(ColourAgreement, OnlyKeyPixelsMatchTheMeasuredKeyAndAreSkipped) {
    const auto [depth, format] = GetParam();
    ASSERT_TRUE(display_fixture::Open(800, 600, depth));
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("vorn7-colour-" + std::to_string(::getpid()) + ".bmp");
    bmp_writer::Write(file, bmp_writer::Encode(16, 16, format, PictureAt));
    Bitmap picture;
    ASSERT_EQ(picture.Load(file.c_str()), 1);
    std::filesystem::remove(file);

    const DWORD measured = MatchColour(RGB(189, 198, 255), FrontSurface);
    EXPECT_EQ(measured, TransparentColour);
    IDirectDrawSurface* frame = display_fixture::MakeSurface(16, 16);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(picture.CopyTo(frame, 16, 16, 0, 0), 1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(display_fixture::RawAt(frame, x, y) == measured,
                      HoldsKey(format, PictureAt(x, y)))
                << "pixel " << x << "," << y << " depth " << depth;

    // A keyed draw leaves the target untouched exactly under the key pixels.
    DDCOLORKEY key{measured, measured};
    frame->SetColorKey(DDCKEY_SRCBLT, &key);
    IDirectDrawSurface* target = display_fixture::MakeSurface(16, 16);
    const std::uint32_t background = display_fixture::RawOf(10, 20, 30);
    display_fixture::Fill(target, background);
    RECT rect{0, 0, 16, 16};
    ASSERT_EQ(target->Blt(&rect, frame, &rect, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(display_fixture::RawAt(target, x, y) == background,
                      HoldsKey(format, PictureAt(x, y)));
    target->Release();
    frame->Release();
    display_fixture::Close();
}

// A 16-bit 565 picture cannot hold the key exactly (green 198 is not a 6-bit level), so it is
// left out; 555 holds it exactly.
INSTANTIATE_TEST_SUITE_P(DepthsAndFormats, ColourAgreement,
                         ::testing::Combine(::testing::Values(8, 16, 24, 32),
                                            ::testing::Values(Format::Indexed8, Format::Rgb555,
                                                              Format::Rgb24, Format::Xrgb32,
                                                              Format::Argb32V5)),
                         AgreementName);

TEST(ColourAgreement, ThirtyTwoBitSurfacesKeepTheTopByteZero) {
    ASSERT_TRUE(display_fixture::Open(640, 480, 32));
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("vorn7-alpha-" + std::to_string(::getpid()) + ".bmp");
    // All-zero alpha must not make the picture transparent or leak into the top byte.
    bmp_writer::Options options;
    options.alpha = 0;
    bmp_writer::Write(file, bmp_writer::Encode(8, 8, Format::Argb32V5, PictureAt, options));
    Bitmap picture;
    ASSERT_EQ(picture.Load(file.c_str()), 1);
    std::filesystem::remove(file);
    IDirectDrawSurface* frame = display_fixture::MakeSurface(8, 8);
    picture.CopyTo(frame, 8, 8, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(display_fixture::RawAt(frame, x, y) >> 24, 0u);
            EXPECT_EQ(display_fixture::RawAt(frame, x, y), PictureAt(x, y));
        }
    frame->Release();
    display_fixture::Close();
}

TEST(PixelFormat, PaletteHoldsTheKeyAndNearestMappingReservesIt) {
    const pixel_format::Rgb& key = pixel_format::PaletteEntry(pixel_format::kKeyPaletteIndex);
    EXPECT_EQ(key.r, 189);
    EXPECT_EQ(key.g, 198);
    EXPECT_EQ(key.b, 255);
    EXPECT_EQ(pixel_format::EncodeColour(8, 189, 198, 255), 255u);
    // Every other colour maps to its true nearest non-key entry.
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 13) {
                const auto chosen = pixel_format::EncodeColour(8, r, g, b);
                if (r == 189 && g == 198 && b == 255) continue;
                ASSERT_NE(chosen, 255u);
                auto dist = [&](int i) {
                    const auto& e = pixel_format::PaletteEntry(i);
                    return (e.r - r) * (e.r - r) + (e.g - g) * (e.g - g) + (e.b - b) * (e.b - b);
                };
                int best = 0;
                for (int i = 1; i < 255; ++i)
                    if (dist(i) < dist(best)) best = i;
                ASSERT_EQ(dist(static_cast<int>(chosen)), dist(best)) << r << "," << g << "," << b;
            }
}

TEST(PixelFormat, SixteenBitKeyValueIsReservedAndDecodingExpandsBits) {
    const auto key = pixel_format::EncodeColour(16, 189, 198, 255);
    EXPECT_NE(pixel_format::EncodeColour(16, 189, 198, 254), key);
    EXPECT_NE(pixel_format::EncodeColour(16, 188, 199, 250), key);
    const auto white = pixel_format::DecodeColour(16, 0xFFFF);
    EXPECT_EQ(white.r, 255);
    EXPECT_EQ(white.g, 255);
    EXPECT_EQ(white.b, 255);
    EXPECT_EQ(pixel_format::EncodeColour(32, 1, 2, 3), 0x010203u);
    EXPECT_EQ(pixel_format::EncodeColour(24, 1, 2, 3), 0x010203u);
}

}  // namespace
