// Mode switches and lost surfaces in a running program: the camera and the walker carry over,
// and a still picture stays the same frame after frame.
#include <gtest/gtest.h>

#include <map>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "frame_diff.h"
#include "game_run.h"
#include "platform/seams/test_seams.h"
#include "shell/camera.h"
#include "world/world.h"

namespace {

// Flies the camera to a still view away from the walker (x 3000), from frame 1 to about 160.
void FlyAwayAndStop() {
    for (int i = 0; i < 10; ++i)
        test_seams::ScheduleInput({1, test_seams::InputKind::KeyDown, VK_RIGHT, 0});
    for (int i = 0; i < 10; ++i)
        test_seams::ScheduleInput({161, test_seams::InputKind::KeyDown, VK_LEFT, 0});
}

TEST(ModeSwitchReplay, AFullCycleOfBothKeysKeepsEveryStillFrameStable) {
    game_run::UseHeadlessPlatform(16);
    FlyAwayAndStop();
    // Space four times and Enter three times, 100 frames apart: every one of the 12 modes is
    // not reached, but every depth at 800 x 600 and every resolution at 32 bits is.
    std::uint64_t frame = 300;
    for (int i = 0; i < 4; ++i, frame += 100) game_run::Press(frame, VK_SPACE);
    for (int i = 0; i < 3; ++i, frame += 100) game_run::Press(frame, VK_RETURN);
    game_run::QuitAt(frame + 50);
    std::map<std::string, std::pair<std::uint64_t, frame_diff::Frame>> firstPerMode;
    std::map<std::string, std::string> differences;
    int cameraX = -1;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber < 250) return;
            if (cameraX < 0) cameraX = Camera.x;
            EXPECT_EQ(Camera.x, cameraX);
            EXPECT_EQ(Camera.velocityX, 0);
            // Skip the two frames after a switch while the fps sample settles.
            if (f.frameNumber % 100 < 5) return;
            const std::string mode = std::to_string(f.width) + "x" + std::to_string(f.bitsPerPixel);
            const std::uint64_t sum = game_run::FrameChecksum(f);
            const auto first = firstPerMode.find(mode);
            if (first == firstPerMode.end())
                firstPerMode.emplace(mode, std::make_pair(sum, frame_diff::Keep(f)));
            else if (sum != first->second.first && !differences.count(mode))
                differences[mode] =
                    frame_diff::Compare(frame_diff::Keep(f), first->second.second, "still-" + mode);
        });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(firstPerMode.size(), 6u);  // 800x32, 8, 16, 24, then 1024x32, 640x32
    for (const auto& [mode, report] : differences) ADD_FAILURE() << mode << ": " << report;
}

TEST(ModeSwitchReplay, EverySurfaceUsesTheNewKeyAndTheWalkerCarriesOn) {
    game_run::UseHeadlessPlatform(16);
    game_run::Press(200, VK_SPACE);  // 8 bits
    game_run::Press(201, VK_SPACE);  // 16 bits
    game_run::QuitAt(300);
    int walkerX = 0;
    bool checked = false;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            const Actor* w = TheWorld.Actors()->LiveActor(0);
            if (f.frameNumber == 199) walkerX = w->X();
            if (f.frameNumber == 202) {
                EXPECT_EQ(DisplayMode.colourDepth, 16);
                EXPECT_LE(std::abs(w->X() - walkerX), 20);
                DDCOLORKEY key{};
                SurfaceStrip* strip = TheWorld.Actors()->KindObject(0)->Strip();
                ASSERT_EQ(strip->FrameSurface(0)->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
                EXPECT_EQ(key.dwColorSpaceLowValue, TransparentColour);
                TheWorld.TileBankPtr()->Slot(0).Strip()->FrameSurface(0)->GetColorKey(DDCKEY_SRCBLT,
                                                                                      &key);
                EXPECT_EQ(key.dwColorSpaceLowValue, TransparentColour);
                // The masks are the same as at 32 bits: the walker still stands on the ground.
                EXPECT_EQ(TheWorld.SolidPixelAt(400, 290), 1);
                EXPECT_EQ(TheWorld.SolidPixelAt(400, 200), 0);
                checked = true;
            }
        });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(checked);
}

TEST(ModeSwitchReplay, LostSurfacesComeBackAndTheNextFrameMatchesTheLastOne) {
    game_run::UseHeadlessPlatform(16);
    FlyAwayAndStop();
    game_run::QuitAt(400);
    std::map<std::uint64_t, frame_diff::Frame> frames;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber == 300 || f.frameNumber == 301)
                frames[f.frameNumber] = frame_diff::Keep(f);
            if (f.frameNumber == 300) test_seams::LoseAllSurfaces();
        });
    EXPECT_EQ(r.exitCode, 0);
    // The frame drawn into lost surfaces is never shown; the next one is.
    ASSERT_TRUE(frames.count(301));
    EXPECT_EQ(frame_diff::Compare(frames[301], frames[300], "after-recovery"), "");
    EXPECT_EQ(test_seams::LiveSurfaceCount(), 0);
}

}  // namespace
