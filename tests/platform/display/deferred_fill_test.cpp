// The back buffer's background, held back until the frame is read or shown: every sequence of
// copies gives the picture the same copies give off screen (where nothing is held back), and
// every way of reading or changing the frame or the background's source sees it whole.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "display/display.h"
#include "display_fixture.h"
#include "frame_diff.h"
#include "platform/display/pixel_format.h"
#include "platform/pictures/gdi.h"
#include "platform/seams/test_seams.h"

namespace {

using display_fixture::RawAt;
using display_fixture::RawOf;
using display_fixture::SetRaw;

enum Source { kBackground, kTile, kKeyedTile, kBlock, kSprite, kSources };

struct Copy {
    Source source;
    int x, y;
    RECT part{0, 0, 0, 0};  // of the source; empty: all of it
};

// A surface whose pixels differ from their neighbours; keyed ones hold the key in a pattern.
IDirectDrawSurface* MakeSource(int w, int h, int tint, bool keyed) {
    IDirectDrawSurface* s = display_fixture::MakeSurface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool clear = keyed && ((x / 5 + y / 3 + tint) % 3 == 0 || x < tint % 7);
            SetRaw(s, x, y,
                   clear ? TransparentColour : RawOf((x * 7 + tint) % 256, (y * 5) % 256, tint));
        }
    if (keyed) {
        DDCOLORKEY ck{TransparentColour, TransparentColour};
        s->SetColorKey(DDCKEY_SRCBLT, &ck);
    }
    return s;
}

class HeldBackBackground : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display_fixture::Open(640, 480, GetParam()));
        sources_[kBackground] = MakeSource(720, 540, 11, false);
        sources_[kTile] = MakeSource(32, 32, 60, false);
        sources_[kKeyedTile] = MakeSource(32, 32, 90, true);
        sources_[kBlock] = MakeSource(128, 128, 130, true);
        sources_[kSprite] = MakeSource(40, 24, 200, true);
    }
    void TearDown() override {
        for (IDirectDrawSurface* s : sources_)
            if (s != nullptr) s->Release();
        display_fixture::Close();
    }

    void Draw(IDirectDrawSurface* target, const std::vector<Copy>& copies) {
        for (const Copy& c : copies) {
            IDirectDrawSurface* s = sources_[c.source];
            RECT part = c.part.right > 0 ? c.part : RECT{0, 0, s->width(), s->height()};
            RECT dest{c.x, c.y, c.x + part.right - part.left, c.y + part.bottom - part.top};
            ASSERT_EQ(target->Blt(&dest, s, &part, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
        }
    }

    static frame_diff::Frame Picture(IDirectDrawSurface* s) {
        return frame_diff::Keep({0, s->width(), s->height(), s->bitsPerPixel(), s->pitch(),
                                 static_cast<const IDirectDrawSurface*>(s)->pixels()});
    }

    // Background and one tile, the frame every action below starts from.
    void StartFrame() { Draw(BackSurface, {{kBackground, -30, -20}, {kTile, 100, 100}}); }
    void ExpectStartFrame(IDirectDrawSurface* s, const char* what) {
        EXPECT_EQ(RawAt(s, 110, 110), RawAt(sources_[kTile], 10, 10)) << what;
        EXPECT_EQ(background_300_, RawAt(s, 300, 300)) << what;
    }

    IDirectDrawSurface* sources_[kSources] = {};
    std::uint32_t background_300_ = 0, background_30_ = 0;
};

// Tiles column by column over a grid that starts off screen, some cells empty, some keyed.
std::vector<Copy> TileGrid(int ox, int oy) {
    std::vector<Copy> copies;
    for (int x = ox; x < 640; x += 32)
        for (int y = oy; y < 480; y += 32) {
            const int cell = (x - ox) / 32 * 7 + (y - oy) / 32 * 3;
            if (cell % 5 == 0) continue;
            copies.push_back({cell % 4 == 0 ? kKeyedTile : kTile, x, y});
        }
    return copies;
}

std::vector<Copy> Scenario(int which) {
    std::vector<Copy> copies{{kBackground, -30, -20}};
    const auto add = [&](const std::vector<Copy>& more) {
        copies.insert(copies.end(), more.begin(), more.end());
    };
    switch (which) {
        case 0:  // the tile layer alone
            add(TileGrid(-7, -13));
            break;
        case 1:  // sprites and blocks across bands and over the edges, after the tiles
            add(TileGrid(-20, 5));
            add({{kSprite, 33, 17},
                 {kSprite, -12, 200},
                 {kSprite, 610, 470},
                 {kBlock, -50, -60},
                 {kBlock, 300, 90},
                 {kBlock, 560, 400},
                 {kSprite, 301, 91}});
            break;
        case 2:  // more covered spans in one band than a band keeps
            for (int x = 0; x < 640; x += 4) copies.push_back({kTile, x, 40, {0, 0, 2, 32}});
            copies.push_back({kKeyedTile, 200, 50});
            break;
        case 3:  // more bands than are kept: a copy starting on every row
            for (int y = 0; y < 480; ++y)
                copies.push_back({y % 3 ? kTile : kKeyedTile, (y * 37) % 600, y, {0, 0, 8, 1}});
            add(TileGrid(3, 3));
            break;
        default:  // a second background hides everything before it
            add(TileGrid(-7, -13));
            copies.push_back({kBackground, -70, -5});
            add({{kTile, 0, 0}, {kSprite, 100, 100}});
            break;
    }
    return copies;
}

TEST_P(HeldBackBackground, CopiesGiveThePictureTheyGiveOffScreen) {
    IDirectDrawSurface* offscreen = display_fixture::MakeSurface(640, 480);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(DisplayDevice->CreateClipper(0, &clipper, nullptr), DD_OK);
    offscreen->SetClipper(clipper);
    clipper->Release();
    for (int which = 0; which < 5; ++which) {
        const std::vector<Copy> copies = Scenario(which);
        Draw(BackSurface, copies);
        Draw(offscreen, copies);
        const std::string name =
            "held-back-" + std::to_string(GetParam()) + "-" + std::to_string(which);
        EXPECT_EQ(frame_diff::Compare(Picture(BackSurface), Picture(offscreen), name), "")
            << "scenario " << which;
    }
    offscreen->Release();
}

TEST_P(HeldBackBackground, ReadingOrChangingTheFrameOrItsSourceSeesTheWholeFrame) {
    // Read before any frame: reading the background's source lands what is held back from it.
    background_300_ = RawAt(sources_[kBackground], 330, 320);
    background_30_ = RawAt(sources_[kBackground], 30, 30);
    const std::uint32_t marked = RawOf(255, 0, 0), other = RawOf(0, 0, 255);
    struct Action {
        const char* name;
        std::function<void()> act;
        bool checkBackBuffer = true;  // false: the action checks what it made
    };
    const Action actions[] = {
        {"a write through Lock stays",
         [&] {
             DDSURFACEDESC desc{};
             desc.dwSize = DDSURFACEDESC_SIZE;
             ASSERT_EQ(BackSurface->Lock(nullptr, &desc, 0, nullptr), DD_OK);
             auto* pixels = static_cast<BYTE*>(desc.lpSurface);
             EXPECT_EQ(pixel_format::ReadRaw(pixels + 10 * desc.lPitch, GetParam()),
                       background_30_);
             pixel_format::WriteRaw(pixels + 20 * desc.lPitch, GetParam(), marked);
             BackSurface->Unlock(nullptr);
             EXPECT_EQ(RawAt(BackSurface, 0, 20), marked);
         }},
        {"a pixel set through a device context stays",
         [&] {
             HDC dc = nullptr;
             ASSERT_EQ(BackSurface->GetDC(&dc), DD_OK);
             SetPixel(dc, 0, 20, RGB(255, 0, 0));
             BackSurface->ReleaseDC(dc);
             EXPECT_EQ(RawAt(BackSurface, 0, 20), marked);
         }},
        {"a flip shows it",
         [&] {
             ASSERT_EQ(FrontSurface->Flip(nullptr, DDFLIP_WAIT), DD_OK);
             ExpectStartFrame(FrontSurface, "flipped");
         },
         false},
        {"a copy of it holds it",
         [&] {
             IDirectDrawSurface* copy = display_fixture::MakeSurface(640, 480);
             ASSERT_EQ(copy->BltFast(0, 0, BackSurface, nullptr, DDBLTFAST_WAIT), DD_OK);
             ExpectStartFrame(copy, "copied");
             copy->Release();
         }},
        {"the source written after the copy",
         [&] { display_fixture::Fill(sources_[kBackground], other); }},
        {"the source copied into after the copy",
         [&] {
             RECT dest{300, 300, 428, 428}, all{0, 0, 128, 128};
             ASSERT_EQ(sources_[kBackground]->Blt(&dest, sources_[kBlock], &all, 0, nullptr),
                       DD_OK);
         }},
        {"the source released after the copy",
         [&] {
             sources_[kBackground]->Release();
             sources_[kBackground] = nullptr;
         }},
    };
    for (const Action& a : actions) {
        if (sources_[kBackground] != nullptr) sources_[kBackground]->Release();
        sources_[kBackground] = MakeSource(720, 540, 11, false);
        display_fixture::Fill(BackSurface, other);  // what would show if nothing were written
        StartFrame();
        a.act();
        if (a.checkBackBuffer) ExpectStartFrame(BackSurface, a.name);
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, HeldBackBackground, ::testing::Values(8, 16, 24, 32));

}  // namespace
