#include "fresh_globals.h"

#include <cstdlib>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "graphics/bitmap.h"
#include "graphics/load_failure.h"
#include "platform/files/data_path.h"
#include "platform/seams/test_seams.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "shell/camera.h"
#include "shell/command_line.h"
#include "shell/desktop_keys.h"
#include "shell/frame_tick.h"
#include "shell/live_reload.h"
#include "shell/player_input.h"
#include "shell/shell_globals.h"
#include "shell/stopwatch.h"
#include "world/world.h"

namespace fresh_globals {

void Reset() {
    // A window a failed test left, and the messages still queued (a quit among them).
    if (MainWindow != nullptr) DestroyWindow(MainWindow);
    MainWindow = nullptr;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    test_seams::ResetAll();
    DisplayMode = {32, 800, 600};
    Launch = LaunchOptions{};
    Camera = {0, 0, 0, 0};
    ReleasePlayerKeys();
    ForgetReloadProblems();
    ForgetScreenshotNotice();
    load_failure::Clear();
    Bitmap none;
    ShellSpriteSheet.Swap(none);
    (void)TakePlayerControls();
    FrameTiming = {0, 0, 0, 0};
    FrameClock = Stopwatch{};
    AppActive = 0;
    data_path::SetLevelFolder("");
    ScaleFrameByWholeFactors(FALSE);
    TheWorld.ResetForTests();
    // The user's kept window is never read, and nothing a test does is kept for them.
    setenv("XDG_STATE_HOME", VORN7_TEST_OUTPUT_DIR "/no-state", 1);
}

}  // namespace fresh_globals
