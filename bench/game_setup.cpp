#include "game_setup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "display/display.h"
#include "display/mode_cycling.h"
#include "platform/test_seams.h"
#include "platform/window.h"
#include "shell/app.h"
#include "shell/stopwatch.h"
#include "world/world.h"

namespace game_setup {

bool Start() {
    static bool started = false;
    if (started) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    test_seams::SetPacing(false);
    std::filesystem::current_path(VORN7_DATA_DIR);
    MainWindow = CreateMainWindow("Vorn7 Development", nullptr);
    if (MainWindow == nullptr) return false;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    if (!InitDisplay(MainWindow)) return false;
    TheWorld.CreateResources();
    if (TheWorld.LoadTileLevel("x2.lvl") != 0 || !TheWorld.LoadBlockLevel("x2fg.lvl") ||
        !LoadPictures()) {
        std::fprintf(stderr, "benchmark set-up: start-up failed\n");
        return false;
    }
    FrameClock.Start();
    StartPlay();
    started = true;
    return true;
}

void SwitchTo(int width, int height, int depth) {
    for (int i = 0; i < 3 && DisplayMode.width != width; ++i) CycleResolution();
    for (int i = 0; i < 4 && DisplayMode.colourDepth != depth; ++i) CycleColourDepth();
    (void)height;
}

}  // namespace game_setup
