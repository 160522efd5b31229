// Whole runs of the program, headless, on the virtual clock with scripted keys. Every few
// frames a line of state is dumped and compared with the expected dump under expected/; set
// VORN7_REGENERATE_REPLAYS=1 (make regen-replays) to rewrite them, then review the difference.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "actors/actor_manager.h"
#include "actors/player.h"
#include "display/display.h"
#include "frame_diff.h"
#include "game_run.h"
#include "platform/files/data_path.h"
#include "shell/camera.h"
#include "shell/command_line.h"
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

// Frames that matched their dump line (or were dumped by a regeneration) are kept once, named
// by checksum, so that a later failure in this build folder can show the expected frame itself.
std::string KeptFrameName(std::uint64_t checksum) {
    char name[64];
    std::snprintf(name, sizeof name, "replay-frames/%016llx.png",
                  static_cast<unsigned long long>(checksum));
    return name;
}

std::filesystem::path KeptFramePath(std::uint64_t checksum) {
    return std::filesystem::path(frame_diff::OutputFolder()) / KeptFrameName(checksum);
}

void KeepFrame(const test_seams::FrameView& f, std::uint64_t checksum) {
    const std::filesystem::path path = KeptFramePath(checksum);
    if (std::filesystem::exists(path)) return;
    std::filesystem::create_directories(path.parent_path());
    frame_diff::Write(frame_diff::Keep(f), KeptFrameName(checksum));
}

// The report for a dump line that differs: the line, the field, and the frames. When the
// expected frame was kept, both are compared pixel by pixel; otherwise the last frame that
// still matched stands beside the actual one.
std::string DifferenceReport(const std::string& name, const std::string& expectedPath,
                             std::size_t line, const std::string& actual,
                             const std::string& expected, const test_seams::FrameView& f,
                             const frame_diff::Frame& lastMatching) {
    std::string report = "line " + std::to_string(line + 1) + " of " + expectedPath + ": " +
                         (expected.empty() ? std::string("a line more than expected")
                                           : FirstDifferingField(actual, expected));
    const std::string frameName = name + "-frame-" + std::to_string(f.frameNumber);
    const std::size_t at = expected.rfind("pixels ");
    frame_diff::Frame want;
    if (at != std::string::npos) {
        const std::uint64_t sum = std::strtoull(expected.c_str() + at + 7, nullptr, 16);
        if (frame_diff::Read(KeptFramePath(sum).string(), want)) want.number = f.frameNumber;
    }
    if (!want.xrgb.empty()) {
        const std::string pictures = frame_diff::Compare(frame_diff::Keep(f), want, frameName);
        return report + "\n  " +
               (pictures.empty() ? "the two frames show the same picture" : pictures);
    }
    report +=
        "\n  expected frame: not kept in this build folder (no run here has matched it)"
        "\n  actual frame: " +
        frame_diff::Write(frame_diff::Keep(f), frameName + "-actual.png");
    if (!lastMatching.xrgb.empty())
        report += "\n  last matching frame: " +
                  frame_diff::Write(lastMatching, name + "-last-matching-frame-" +
                                                      std::to_string(lastMatching.number) + ".png");
    return report;
}

// Runs the program with the keys already scheduled and compares its dump with the file at
// expected; returns "" or the report of the first differing line. With regenerate set, the
// dump is written there instead.
using StateOf = std::string (*)(const test_seams::FrameView&);
using FrameHook = std::function<void(const test_seams::FrameView&)>;

std::string Replay(const std::string& name, std::uint64_t every,
                   const std::filesystem::path& expected, bool regenerate,
                   StateOf stateOf = StateLine, const FrameHook& hook = {}) {
    std::vector<std::string> want;
    if (!regenerate) {
        std::ifstream in(expected);
        if (!in) return "no expected dump at " + expected.string() + " (make regen-replays)";
        for (std::string line; std::getline(in, line);) want.push_back(line);
    }
    std::vector<std::string> dump;
    std::string report;
    frame_diff::Frame lastMatching;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (hook) hook(f);
            if (f.frameNumber % every != 0) return;
            dump.push_back(stateOf(f));
            const std::size_t i = dump.size() - 1;
            if (!report.empty()) return;
            if (regenerate || (i < want.size() && dump[i] == want[i])) {
                KeepFrame(f, game_run::FrameChecksum(f));
                lastMatching = frame_diff::Keep(f);
                return;
            }
            report = DifferenceReport(name, expected.string(), i, dump[i],
                                      i < want.size() ? want[i] : std::string(), f, lastMatching);
        });
    if (r.exitCode != 0) return "the program ended with " + std::to_string(r.exitCode);
    if (regenerate) {
        std::ofstream out(expected);
        for (const auto& line : dump) out << line << "\n";
        return "";
    }
    if (report.empty() && dump.size() != want.size()) return "the run ended early";
    return report;
}

void ExpectReplay(const std::string& name, std::uint64_t every, StateOf stateOf = StateLine,
                  const FrameHook& hook = {}) {
    const std::filesystem::path expected =
        std::filesystem::path(VORN7_SOURCE_DIR) / "tests" / "replay" / "expected" / (name + ".txt");
    const bool regenerate = std::getenv("VORN7_REGENERATE_REPLAYS") != nullptr;
    const std::string report = Replay(name, every, expected, regenerate, stateOf, hook);
    ASSERT_TRUE(report.empty()) << report;
    if (regenerate) GTEST_SKIP() << "regenerated " << expected;
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

// The shipped level's state: the camera, the player and its runs.
std::string PlayLine(const test_seams::FrameView& f) {
    const Player* p = TheWorld.Actors()->ThePlayer();
    char line[400];
    std::snprintf(line, sizeof line,
                  "frame %llu | camera %d,%d | player %d,%d velocity %d,%d %s frame %d | run %d "
                  "%d ms, last %d | pixels %016llx",
                  static_cast<unsigned long long>(f.frameNumber), Camera.x, Camera.y, p->X(),
                  p->Y(), p->Motion().velocityX, p->Motion().velocityY,
                  p->Grounded() ? "grounded" : "airborne", p->Frame(), p->Runs(), p->RunMs(),
                  p->LastRunMs(), static_cast<unsigned long long>(game_run::FrameChecksum(f)));
    return line;
}

// A player of the keys, deciding each frame what to press at the next: it holds Right, and from
// its second run on jumps (holding Z) at a gap or a wall ahead, and from its third also at a
// walker ahead. So the run falls or meets a walker first, then reaches the goal.
class ScriptedPlayer {
  public:
    void operator()(const test_seams::FrameView& f) {
        const Player& p = *TheWorld.Actors()->ThePlayer();
        const std::uint64_t next = f.frameNumber + 1;
        if (f.frameNumber == 1) Key(next, test_seams::InputKind::KeyDown, VK_RIGHT);
        if (done_) return;
        if (p.LastRunMs() >= 0 || f.frameNumber > 6000) {  // the goal, or lost: the end
            Key(next, test_seams::InputKind::KeyUp, VK_RIGHT);
            game_run::QuitAt(next + 30);
            done_ = true;
            return;
        }
        if (jumpHeldUntil_ != 0 && f.frameNumber >= jumpHeldUntil_) {
            Key(next, test_seams::InputKind::KeyUp, 'Z');
            jumpHeldUntil_ = 0;
        }
        if (jumpHeldUntil_ == 0 && p.Grounded() && p.Runs() >= 2 &&
            (GapOrWallAhead(p) || (p.Runs() >= 3 && WalkerAhead(p)))) {
            Key(next, test_seams::InputKind::KeyDown, 'Z');
            jumpHeldUntil_ = next + 20;
        }
    }

  private:
    static void Key(std::uint64_t frame, test_seams::InputKind kind, int key) {
        test_seams::ScheduleInput({frame, kind, key, 0});
    }
    static bool GapOrWallAhead(const Player& p) {
        const ActorBody b = p.Body();
        const bool ground = TheWorld.SolidPixelAt(b.right + 4, b.bottom + 2) != 0 ||
                            TheWorld.SolidPixelAt(b.right + 4, b.bottom + 6) != 0;
        const bool wall = TheWorld.SolidPixelAt(b.right + 12, b.bottom - 12) != 0;
        return !ground || wall;
    }
    static bool WalkerAhead(const Player& p) {
        const ActorBody b = p.Body();
        const ActorManager& actors = *TheWorld.Actors();
        for (std::int32_t i = 0; i < actors.LiveCount(); ++i) {
            const Actor& a = *actors.LiveActor(i);
            if (a.Kind() != actors.KindObject(kWalkerKind)) continue;
            const ActorBody w = a.Body();
            if (w.left - b.right > 0 && w.left - b.right < 90 && w.top <= b.bottom &&
                w.bottom >= b.top)
                return true;
        }
        return false;
    }

    std::uint64_t jumpHeldUntil_ = 0;
    bool done_ = false;
};

TEST(Replay, TheShippedLevelRunFallenWalkerMetAndGoalReached) {
    data_path::SetLevelFolder((game_run::DataFolder() / kShippedLevels / "first-run").string());
    game_run::UseHeadlessPlatform(16);
    ExpectReplay("first_run", 30, PlayLine, ScriptedPlayer());
    const Player* p = TheWorld.Actors()->ThePlayer();
    ASSERT_NE(p, nullptr);
    EXPECT_GE(p->Runs(), 4) << "a fall or a walker first, then the goal";
    EXPECT_GT(p->LastRunMs(), 0) << "the goal was reached";
}

// A planted difference in a replay: the same short run once more with a key pressed that the
// dump does not know of. The report names the line and field, and compares the frames.
TEST(Replay, APlantedDifferenceShowsBothFramesAndTheFirstDifferingPixel) {
    const std::filesystem::path dump =
        std::filesystem::path(frame_diff::OutputFolder()) / "planted-replay.txt";
    // The program runs once a process, so the dump is made in a child.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        game_run::UseHeadlessPlatform(16);
        game_run::QuitAt(40);
        ::_exit(Replay("planted", 10, dump, true).empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    game_run::UseHeadlessPlatform(16);
    game_run::Press(15, VK_RIGHT);
    game_run::QuitAt(40);
    const std::string report = Replay("planted", 10, dump, false);
    for (const std::string& part :
         {std::string("line 2 of ") + dump.string() + ": field \" camera 500,380 velocity 0,0 \"",
          std::string("first differing pixel ("), std::string("planted-frame-20-actual.png"),
          std::string("planted-frame-20-expected.png")})
        EXPECT_NE(report.find(part), std::string::npos) << part << "\nin: " << report;
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
