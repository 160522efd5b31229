// Bad picture files fail quickly and cleanly; valid but unusual BMP formats load with the right
// pixels.
#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#include "bmp_writer.h"
#include "platform/pictures/gdi.h"
#include "platform/seams/test_seams.h"

namespace {

using bmp_writer::Format;

std::filesystem::path TempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("vorn7-pic-" + std::to_string(::getpid()) + "-" + name);
}

HANDLE Load(const std::filesystem::path& path) {
    return LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

bmp_writer::Pixel Pattern(int x, int y) {
    return ((x * 37 + y * 11) % 4) * 0x303030 + (x == y ? 0xBDC6FF : 0);
}

std::vector<std::uint8_t> Valid() {
    return bmp_writer::Encode(20, 10, Format::Rgb24, Pattern);
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(PictureLoading, BadFilesAreRefusedQuicklyWithAReason) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"not-bmp", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}});
    cases.push_back({"png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}});
    auto header = Valid();
    header.resize(20);
    cases.push_back({"truncated-header", header});
    auto pixels = Valid();
    pixels.resize(pixels.size() - 100);
    cases.push_back({"truncated-pixels", pixels});
    auto zeroWidth = Valid();
    PutU32(zeroWidth, 18, 0);
    cases.push_back({"zero-width", zeroWidth});
    auto negativeWidth = Valid();
    PutU32(negativeWidth, 18, static_cast<std::uint32_t>(-20));
    cases.push_back({"negative-width", negativeWidth});
    auto huge = bmp_writer::Encode(4, 4, Format::Indexed8, Pattern);
    PutU32(huge, 18, 100000);
    PutU32(huge, 22, 100000);
    cases.push_back({"huge-8bit", huge});
    auto hugeRle = bmp_writer::Encode(4, 4, Format::Rle8, Pattern);
    PutU32(hugeRle, 18, 100000);
    PutU32(hugeRle, 22, 100000);
    cases.push_back({"huge-rle8", hugeRle});
    auto os2 = Valid();  // an OS/2 core header whose 16-bit height is 65535, not -1
    os2.resize(90);
    PutU32(os2, 14, 12);
    os2[18] = 0x00, os2[19] = 0x40, os2[20] = 0xFF, os2[21] = 0xFF, os2[24] = 32, os2[25] = 0;
    cases.push_back({"os2-height-65535", os2});
    auto rowsBeyond = Valid();
    PutU32(rowsBeyond, 22, 8000);
    cases.push_back({"rows-beyond-the-file", rowsBeyond});
    auto jpeg = Valid();
    PutU32(jpeg, 30, 4);
    cases.push_back({"jpeg-compression", jpeg});
    for (const Case& c : cases) {
        const auto path = TempFile(c.name);
        bmp_writer::Write(path, c.bytes);
        const auto start = std::chrono::steady_clock::now();
        HANDLE h = Load(path);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(h, nullptr) << c.name;
        if (h) DeleteObject(h);
        EXPECT_STRNE(GetLastLoadErrorText(), "") << c.name;
        EXPECT_LT(took, std::chrono::seconds(2)) << c.name;  // a generous bound, not a speed test
        std::filesystem::remove(path);
    }
    const auto rle = TempFile("rle-top-down");
    bmp_writer::Options topDown;
    topDown.topDown = true;
    bmp_writer::Write(rle, bmp_writer::Encode(4, 4, Format::Rle8, Pattern, topDown));
    EXPECT_EQ(Load(rle), nullptr);
    std::filesystem::remove(rle);
    EXPECT_EQ(Load(TempFile("missing")), nullptr);
    EXPECT_STREQ(GetLastLoadErrorText(), "the file is missing or cannot be opened");
    EXPECT_EQ(Load(std::filesystem::temp_directory_path()), nullptr);
    EXPECT_STREQ(GetLastLoadErrorText(), "not a regular file");
}

TEST(PictureLoading, AReadErrorInThePixelsRefusesThePicture) {
    const auto path = TempFile("read-error");
    bmp_writer::Write(path, Valid());
    test_seams::InjectedFaults().failFileReadAtByte = 300;
    EXPECT_EQ(Load(path), nullptr);
    EXPECT_STREQ(GetLastLoadErrorText(), "the file could not be read");
    test_seams::InjectedFaults().failFileReadAtByte = -1;
    HANDLE h = Load(path);
    EXPECT_NE(h, nullptr);
    DeleteObject(h);
    std::filesystem::remove(path);
}

std::string UnusualName(const ::testing::TestParamInfo<std::tuple<Format, bool>>& info) {
    return bmp_writer::FormatName(std::get<0>(info.param)) +
           (std::get<1>(info.param) ? "TopDown" : "BottomUp");
}

class UnusualFormats : public ::testing::TestWithParam<std::tuple<Format, bool>> {};

TEST_P(UnusualFormats, LoadWithTheirPixels) {
    const auto [format, topDown] = GetParam();
    // Two colours fit every format, the 1-bit one included; 555 and 565 round what they cannot
    // hold.
    auto pixel = [](int x, int y) -> bmp_writer::Pixel {
        return (x + y) % 3 == 0 ? 0xF8F8F8 : 0x080810;
    };
    bmp_writer::Options options;
    options.topDown = topDown;
    const auto path = TempFile("unusual");
    bmp_writer::Write(path, bmp_writer::Encode(13, 7, format, pixel, options));
    HANDLE h = Load(path);
    std::filesystem::remove(path);
    ASSERT_NE(h, nullptr) << GetLastLoadErrorText();
    BITMAP bm{};
    GetObjectA(h, sizeof(BITMAP), &bm);
    EXPECT_EQ(bm.bmWidth, 13);
    EXPECT_EQ(bm.bmHeight, 7);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, h);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            const bool bright = GetRValue(c) > 128;
            EXPECT_EQ(bright, (x + y) % 3 == 0) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(dc, 13, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
    DeleteDC(dc);
    DeleteObject(h);
}

// Every format both ways up, but compressed pictures, which are bottom-up only.
std::vector<std::tuple<Format, bool>> UnusualCases() {
    std::vector<std::tuple<Format, bool>> cases;
    for (Format f :
         {Format::Indexed1, Format::Indexed4, Format::Indexed8, Format::Rle8, Format::Rgb555,
          Format::Rgb565, Format::Rgb24, Format::Xrgb32, Format::Argb32V5})
        for (bool topDown : {false, true})
            if (f != Format::Rle8 || !topDown) cases.emplace_back(f, topDown);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Formats, UnusualFormats, ::testing::ValuesIn(UnusualCases()), UnusualName);

}  // namespace
