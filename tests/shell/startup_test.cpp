// The whole program, headless: every start-up failure ends with one line on standard error and
// exit status 1, with everything acquired released; a normal quit ends with 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "display/display.h"
#include "game_run.h"
#include "platform/seams/test_seams.h"
#include "world/world.h"

namespace {

// A file as the messages name it: its absolute path, opened from the folder the game ran in.
std::string Where(const std::filesystem::path& folder, const char* file) {
    return (std::filesystem::canonical(folder) / file).lexically_normal().string();
}

struct Outcome {
    int exitCode;
    std::uint64_t frames;
    std::string stderrText;
};

Outcome RunIn(const std::filesystem::path& folder) {
    testing::internal::CaptureStderr();
    const game_run::Result r = game_run::Run(folder);
    return {r.exitCode, r.frames, testing::internal::GetCapturedStderr()};
}

void ExpectEverythingReleased() {
    EXPECT_EQ(test_seams::LiveSurfaceCount(), 0);
    EXPECT_EQ(test_seams::LiveDeviceContextCount(), 0);
    EXPECT_EQ(test_seams::LiveClipperCount(), 0);
    EXPECT_EQ(test_seams::LiveDisplayDeviceCount(), 0);
}

TEST(Startup, NormalQuitWithEscapeEndsWithZeroAndReleasesEverything) {
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(10);
    const Outcome o = RunIn(game_run::DataFolder());
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.frames, 10u);
    EXPECT_EQ(o.stderrText, "");
    ExpectEverythingReleased();
}

TEST(Startup, ACloseRequestEndsLikeEscape) {
    game_run::UseHeadlessPlatform(16);
    test_seams::ScheduleInput({5, test_seams::InputKind::Close, 0, 0});
    const Outcome o = RunIn(game_run::DataFolder());
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.frames, 5u);
    ExpectEverythingReleased();
}

TEST(Startup, MissingTileLevel) {
    game_run::UseHeadlessPlatform(16);
    const auto folder = game_run::CopyOfDataFolder("no-level");
    std::filesystem::remove(folder / "x2.lvl");
    const Outcome o = RunIn(folder);
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.frames, 0u);
    // Started where no level is: the message says where it looked and how to name a folder.
    EXPECT_EQ(o.stderrText, "vorn7: " + Where(folder, "x2.lvl") +
                                ": Error loading level. It is missing: looked in " +
                                std::filesystem::canonical(folder).string() +
                                ". Start the game in its data folder, or name a level folder: "
                                "vorn7 FOLDER.\n");
    ExpectEverythingReleased();
    std::filesystem::remove_all(folder);
}

TEST(Startup, ShortBlockLevel) {
    game_run::UseHeadlessPlatform(16);
    const auto folder = game_run::CopyOfDataFolder("short-level");
    std::ofstream(folder / "x2fg.lvl", std::ios::trunc) << std::string(256, '<') << "\n";
    const Outcome o = RunIn(folder);
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.stderrText, "vorn7: " + Where(folder, "x2fg.lvl") +
                                ": Error loading level. The file has 1 line; a level needs 256.\n");
    ExpectEverythingReleased();
    std::filesystem::remove_all(folder);
}

TEST(Startup, BrokenPictureNamesTheFileAndTheReason) {
    game_run::UseHeadlessPlatform(16);
    const auto folder = game_run::CopyOfDataFolder("bad-picture");
    std::ofstream(folder / "gfx" / "tiles.bmp", std::ios::trunc) << "not a picture";
    const Outcome o = RunIn(folder);
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.stderrText, "vorn7: " + Where(folder, "gfx/tiles.bmp") + ": not a BMP file\n");
    ExpectEverythingReleased();
    std::filesystem::remove_all(folder);
}

TEST(Startup, MissingWalkerSheet) {
    game_run::UseHeadlessPlatform(16);
    const auto folder = game_run::CopyOfDataFolder("no-sheet");
    std::filesystem::remove(folder / "vornsprites24bit.bmp");
    const Outcome o = RunIn(folder);
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.stderrText, "vorn7: " + Where(folder, "vornsprites24bit.bmp") +
                                ": the file is missing or cannot be opened\n");
    ExpectEverythingReleased();
    std::filesystem::remove_all(folder);
}

TEST(Startup, RefusedDisplayModeStillCreatesTheWorldAndReleases) {
    game_run::UseHeadlessPlatform(16);
    test_seams::RefuseDisplayMode(800, 600, 32);
    const Outcome o = RunIn(game_run::DataFolder());
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.stderrText, "vorn7: the display could not be taken (800x600x32)\n");
    EXPECT_NE(TheWorld.TileBankPtr(), nullptr);  // created before the display result was looked at
    ExpectEverythingReleased();
}

TEST(Startup, FailedCooperativeLevelReleasesTheDevice) {
    game_run::UseHeadlessPlatform(16);
    test_seams::InjectedFaults().failSetCooperativeLevel = true;
    const Outcome o = RunIn(game_run::DataFolder());
    EXPECT_EQ(o.exitCode, 1);
    ExpectEverythingReleased();
}

TEST(Startup, FailedSurfaceFillEndsStartup) {
    game_run::UseHeadlessPlatform(16);
    // The flip chain takes one creation, the walker's strip eight, the shell strips fifteen;
    // the 40th is a tile's surface, whose picture then cannot be copied.
    test_seams::InjectedFaults().failSurfaceCreationNumber = 40;
    const Outcome o = RunIn(game_run::DataFolder());
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.stderrText, "vorn7: the display surfaces could not be filled\n");
    ExpectEverythingReleased();
}

TEST(Startup, WhileInactiveNoFrameRunsAndFramesResumeOnActivation) {
    game_run::UseHeadlessPlatform(16);
    test_seams::ScheduleInput({3, test_seams::InputKind::Deactivate, 0, 0});
    test_seams::ScheduleInput({3, test_seams::InputKind::Activate, 0, 10000});
    game_run::QuitAt(6);
    std::vector<std::uint32_t> clock;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView&) {});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.frames, 6u);
}

TEST(Startup, AFailedRebuildAfterAModeSwitchEndsThroughWindowDestruction) {
    game_run::UseHeadlessPlatform(16);
    game_run::Press(5, VK_SPACE);
    testing::internal::CaptureStderr();
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber == 4) test_seams::InjectedFaults().failCreateSurface = true;
        });
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.frames, 5u);  // the switch came after the fifth flip; no frame followed it
    EXPECT_EQ(err, "vorn7: the display could not build its flip chain after a mode switch\n");
    ExpectEverythingReleased();
}

TEST(Startup, AFailedFrameEndsWithStatusOne) {
    game_run::UseHeadlessPlatform(16);
    test_seams::ScheduleInput({4, test_seams::InputKind::KeyDown, 0, 0});
    bool armed = false;
    testing::internal::CaptureStderr();
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber == 3 && !armed) {
                armed = true;
                test_seams::LoseAllSurfaces();
                test_seams::InjectedFaults().failRestoreNumber =
                    2;  // the first strip frame's restore
            }
        });
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(err, "vorn7: lost display surfaces could not be restored\n");
    // The same path as a failed start: the window destroyed and everything released.
    EXPECT_EQ(DisplayDevice, nullptr);
    EXPECT_EQ(test_seams::LiveSurfaceCount(), 0);
    EXPECT_EQ(test_seams::LiveClipperCount(), 0);
    EXPECT_EQ(test_seams::LiveDisplayDeviceCount(), 0);
}

TEST(Startup, AFlipChainThatCannotBeRestoredEndsTheProgram) {
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(10);
    testing::internal::CaptureStderr();
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber != 3) return;
            test_seams::LoseAllSurfaces();
            test_seams::InjectedFaults().failRestoreNumber = 1;  // the front surface's restore
        });
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.frames, 3u);  // the failed flip came right after
    EXPECT_EQ(err, "vorn7: lost display surfaces could not be restored\n");
}

}  // namespace
