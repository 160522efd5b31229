// F12 in a headless run: a screenshot of the shown frame in the pictures folder, its notice on the
// overlay for two seconds of the game's clock, and a folder that cannot be written said so while
// the game goes on. F11 without a desktop changes nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "game_run.h"
#include "platform/win_types.h"
#include "shell/desktop_keys.h"

namespace {

namespace fs = std::filesystem;

TEST(DesktopKeys, F12SavesTheFrameAndSaysSoForTwoSeconds) {
    const fs::path home = fs::temp_directory_path() / ("vorn7-f12-" + std::to_string(::getpid()));
    fs::remove_all(home);
    fs::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_PICTURES_DIR");

    // After frame n (16 ms each): the notice's start, or "" for none.
    struct Check {
        std::uint64_t frame;
        const char* notice;
    };
    // A key pressed at frame n is handled before frame n + 1.
    const Check checks[] = {{3, ""},
                            {4, "Screenshot: vorn7-"},
                            {120, "Screenshot: vorn7-"},  // 1.86 s later
                            {135, ""},                    // 2.1 s later
                            {141, "Screenshot not saved: /nonexistent/shots: No such file"}};
    game_run::UseHeadlessPlatform(16);
    game_run::Press(3, VK_F12);
    game_run::Press(4, VK_F11);
    game_run::Press(140, VK_F12);
    game_run::QuitAt(145);
    std::size_t next = 0;
    testing::internal::CaptureStderr();
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (next < std::size(checks) && f.frameNumber == checks[next].frame) {
                const std::string notice = ScreenshotNotice();
                EXPECT_EQ(notice.rfind(checks[next].notice, 0), 0u)
                    << "frame " << f.frameNumber << ": " << notice;
                if (checks[next].notice[0] == '\0') {
                    EXPECT_EQ(notice, "");
                }
                ++next;
            }
            if (f.frameNumber == 136) setenv("XDG_PICTURES_DIR", "/nonexistent/shots", 1);
        });
    const std::string said = testing::internal::GetCapturedStderr();
    unsetenv("XDG_PICTURES_DIR");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.frames, 145u);
    EXPECT_EQ(next, std::size(checks));
    int shots = 0;
    for (const auto& entry : fs::directory_iterator(home))
        shots += entry.path().extension() == ".png";
    EXPECT_EQ(shots, 1);
    EXPECT_NE(said.find("vorn7: screenshot saved: " + home.string() + "/vorn7-"), std::string::npos)
        << said;
    EXPECT_NE(said.find("vorn7: screenshot not saved: /nonexistent/shots: No such file"),
              std::string::npos)
        << said;
    fs::remove_all(home);
}

}  // namespace
