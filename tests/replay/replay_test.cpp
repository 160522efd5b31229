// Whole runs of the program, headless, on the virtual clock with scripted keys. Every few
// frames a line of state is dumped and compared with the expected dump under expected/; set
// VORN7_REGENERATE_REPLAYS=1 (make regen-replays) to rewrite them, then review the difference.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "frame_diff.h"
#include "game_run.h"
#include "shell/camera.h"
#include "shell/frame_tick.h"
#include "world/world.h"

namespace {

std::string StateLine(const test_seams::FrameView& f) {
    const Actor* w = TheWorld.Actors()->LiveActor(0);
    const SpriteKind* kind = TheWorld.Actors()->KindObject(0);
    char line[400];
    std::snprintf(
        line, sizeof line,
        "frame %llu | %dx%dx%d %dfps | camera %d,%d velocity %d,%d | solid %d | walker %d,%d "
        "velocity %d,%d frame %d | pixels %016llx",
        static_cast<unsigned long long>(f.frameNumber), DisplayMode.width, DisplayMode.height,
        DisplayMode.colourDepth, FrameTiming.shownFramesPerSecond, Camera.x, Camera.y,
        Camera.velocityX, Camera.velocityY, TheWorld.SolidPixelAt(Camera.x, Camera.y), w->X(),
        w->Y(), w->Motion().velocityX, w->Motion().velocityY, kind->CurrentFrame(),
        static_cast<unsigned long long>(game_run::FrameChecksum(f)));
    return line;
}

// The first field (" | "-separated) in which two dump lines differ, with both values.
std::string FirstDifferingField(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string fa, fe;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, fa, '|'));
        const bool moreE = static_cast<bool>(std::getline(e, fe, '|'));
        if (!moreA && !moreE) return "";
        if (fa != fe) return "field \"" + fe + "\" is \"" + fa + "\"";
    }
}

// Runs the program with the keys already scheduled and compares the dump with expected/name.txt.
// At the first differing line, the report names the line and the field, and the actual frame
// and the last frame that still matched are written as PNG files into the test's output folder.
void ExpectReplay(const std::string& name, std::uint64_t every) {
    const std::filesystem::path expected =
        std::filesystem::path(VORN7_SOURCE_DIR) / "tests" / "replay" / "expected" / (name + ".txt");
    const bool regenerate = std::getenv("VORN7_REGENERATE_REPLAYS") != nullptr;
    std::vector<std::string> want;
    if (!regenerate) {
        std::ifstream in(expected);
        ASSERT_TRUE(in) << "no expected dump at " << expected << " (make regen-replays)";
        for (std::string line; std::getline(in, line);) want.push_back(line);
    }
    std::vector<std::string> dump;
    std::string report;
    frame_diff::Frame lastMatching;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber % every != 0) return;
            dump.push_back(StateLine(f));
            const std::size_t i = dump.size() - 1;
            if (regenerate || !report.empty()) return;
            if (i < want.size() && dump[i] == want[i]) {
                lastMatching = frame_diff::Keep(f);
                return;
            }
            report =
                "line " + std::to_string(i + 1) + " of " + expected.string() + ": " +
                (i < want.size() ? FirstDifferingField(dump[i], want[i])
                                 : std::string("a line more than expected")) +
                "\n  actual frame: " +
                frame_diff::Write(frame_diff::Keep(f),
                                  name + "-actual-frame-" + std::to_string(f.frameNumber) + ".png");
            if (!lastMatching.xrgb.empty())
                report += "\n  last matching frame: " +
                          frame_diff::Write(lastMatching, name + "-last-matching-frame-" +
                                                              std::to_string(lastMatching.number) +
                                                              ".png");
        });
    ASSERT_EQ(r.exitCode, 0);
    if (regenerate) {
        std::ofstream out(expected);
        for (const auto& line : dump) out << line << "\n";
        GTEST_SKIP() << "regenerated " << expected;
    }
    ASSERT_TRUE(report.empty()) << report;
    ASSERT_EQ(dump.size(), want.size()) << "the run ended early";
}

void PressTimes(std::uint64_t frame, int key, int times) {
    for (int i = 0; i < times; ++i)
        test_seams::ScheduleInput({frame, test_seams::InputKind::KeyDown, key, 0});
}

TEST(Replay, StartViewInAllThreeResolutions) {
    game_run::UseHeadlessPlatform(16);
    game_run::Press(30, VK_RETURN);  // 1024 x 768
    game_run::Press(60, VK_RETURN);  // 640 x 480
    game_run::Press(90, VK_RETURN);  // back to 800 x 600
    game_run::QuitAt(120);
    ExpectReplay("start_views", 10);
}

TEST(Replay, CameraFlownToEveryEdgeAndCorner) {
    game_run::UseHeadlessPlatform(16);
    PressTimes(1, VK_RIGHT, 30);
    PressTimes(250, VK_DOWN, 30);
    PressTimes(500, VK_LEFT, 60);
    PressTimes(750, VK_UP, 60);
    PressTimes(1000, VK_RIGHT, 30);
    game_run::QuitAt(1100);
    ExpectReplay("camera_edges", 25);
}

TEST(Replay, LongDiagonalFlight) {
    game_run::UseHeadlessPlatform(16);
    PressTimes(1, VK_RIGHT, 9);
    PressTimes(1, VK_DOWN, 9);
    game_run::QuitAt(620);
    ExpectReplay("diagonal_flight", 20);
}

TEST(Replay, WalkerPatrolsTheStartAreaForAMinute) {
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(3750);
    ExpectReplay("walker_minute", 125);
}

TEST(Replay, InactiveForTenSecondsThenActiveAgain) {
    game_run::UseHeadlessPlatform(16);
    PressTimes(1, VK_RIGHT, 2);
    test_seams::ScheduleInput({100, test_seams::InputKind::Deactivate, 0, 0});
    test_seams::ScheduleInput({100, test_seams::InputKind::Activate, 0, 10000});
    game_run::QuitAt(140);
    ExpectReplay("inactive_pause", 5);
}

// A planted difference: the report names both pictures and the first differing pixel.
TEST(FrameDifference, APlantedDifferenceIsWrittenAndReported) {
    const std::string folder = frame_diff::OutputFolder();
    frame_diff::Frame a{4, 3, 7, std::vector<std::uint32_t>(12, 0x102030)};
    frame_diff::Frame b = a;
    EXPECT_EQ(frame_diff::Compare(a, b, "planted"), "");
    b.xrgb[6] = 0xFF0000;  // (2, 1)
    const std::string report = frame_diff::Compare(a, b, "planted");
    EXPECT_NE(report.find("first differing pixel (2, 1): actual #102030, expected #ff0000"),
              std::string::npos)
        << report;
    for (const char* file : {"planted-actual.png", "planted-expected.png"}) {
        const auto path = std::filesystem::path(folder) / file;
        EXPECT_NE(report.find(path.string()), std::string::npos) << report;
        EXPECT_GT(std::filesystem::file_size(path), 0u);
    }
}

}  // namespace
