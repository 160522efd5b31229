// The overlay's text: placed at the rectangle's corner, a line per "\n", clipped.
#include <gtest/gtest.h>

#include "display/display.h"
#include "display_fixture.h"
#include "platform/pictures/bitmap_font.h"
#include "platform/pictures/gdi.h"

namespace {

class Text : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(640, 480, 32));
        display_fixture::Fill(BackSurface, kBackground);
    }
    void TearDown() override { display_fixture::Close(); }
    static constexpr std::uint32_t kBackground = 0x123456;

    // The bounding box of everything the text changed.
    RECT Touched() {
        RECT r{640, 480, -1, -1};
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (display_fixture::RawAt(BackSurface, x, y) != kBackground) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }
    int Draw(const char* text, RECT rect, UINT format = 0) {
        HDC dc = nullptr;
        if (BackSurface->GetDC(&dc) != DD_OK) return -1;
        const int height = DrawTextA(dc, text, -1, &rect, format);
        BackSurface->ReleaseDC(dc);
        return height;
    }
};

TEST_F(Text, LinesStartAtTheLeftEdgeOneLineHeightApart) {
    Draw("ab\n\nc", RECT{5, 100, 630, 470});
    const RECT r = Touched();
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right, 5 + 2 * bitmap_font::kCellWidth);
    EXPECT_EQ(r.bottom, 100 + 3 * bitmap_font::kLineHeight);
    // Black ink on white paper.
    bool sawInk = false, sawPaper = false;
    for (int x = 5; x < 5 + bitmap_font::kCellWidth; ++x)
        for (int y = 100; y < 100 + bitmap_font::kLineHeight; ++y) {
            const auto v = display_fixture::RawAt(BackSurface, x, y);
            sawInk |= v == 0;
            sawPaper |= v == 0xFFFFFF;
        }
    EXPECT_TRUE(sawInk && sawPaper);
    // The empty middle line draws nothing.
    EXPECT_EQ(display_fixture::RawAt(BackSurface, 5, 100 + bitmap_font::kLineHeight + 3),
              kBackground);
}

TEST_F(Text, ClipsToTheRectangleAndTheSurface) {
    Draw("a very long line that runs far past the right edge of its rectangle\nsecond\nthird",
         RECT{600, 440, 630, 470});
    const RECT r = Touched();
    EXPECT_EQ(r.left, 600);
    EXPECT_EQ(r.right, 630);
    EXPECT_EQ(r.bottom, 470);
    display_fixture::Fill(BackSurface, kBackground);
    Draw("x", RECT{-5, -5, 700, 700});  // partly outside the surface: no write outside it
    EXPECT_EQ(Touched().left, 0);
}

// The overlay's reason for a broken save, 630 pixels wide in a 640 mode: every word is drawn, on
// as many lines as it takes, none past the right edge.
TEST_F(Text, WordBreakKeepsEveryWordInsideTheRectangle) {
    const int cell = bitmap_font::kCellWidth, line = bitmap_font::kLineHeight;
    const struct {
        const char* text;
        int cells;  // the rectangle's width in cells
        int lines;
    } cases[] = {
        {"x2.lvl: Error loading level. The file has 100 lines; a level needs 256.", 52, 2},
        {"short", 52, 1},
        {"ab cd ef", 5, 2},                     // "ab cd" fits exactly; the space at the break goes
        {"abcdefghijklmnopqrstuvwxyz", 10, 3},  // a word longer than a line is cut
        {"one\ntwo three", 5, 3},
    };
    for (const auto& c : cases) {
        display_fixture::Fill(BackSurface, kBackground);
        const int height = Draw(c.text, RECT{5, 100, 5 + c.cells * cell, 470}, DT_WORDBREAK);
        EXPECT_EQ(height, c.lines * line) << c.text;
        const RECT r = Touched();
        EXPECT_LE(r.right, 5 + c.cells * cell) << c.text;
        EXPECT_EQ(r.bottom, 100 + c.lines * line) << c.text;
    }
}

}  // namespace
