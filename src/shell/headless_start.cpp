#include "shell/headless_start.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "graphics/load_failure.h"
#include "platform/test_seams.h"
#include "platform/window.h"
#include "shell/app.h"
#include "shell/stopwatch.h"
#include "world/level_error.h"
#include "world/world.h"

namespace headless_start {

bool Start(const char* dataDir) {
    static bool started = false;
    if (started) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    test_seams::SetPacing(false);
    std::error_code error;
    std::filesystem::current_path(dataDir, error);
    if (error) {
        std::fprintf(stderr, "vorn7: %s: %s\n", dataDir, error.message().c_str());
        return false;
    }
    MainWindow = CreateMainWindow("Vorn7 Development", nullptr);
    if (MainWindow == nullptr) {
        std::fprintf(stderr, "vorn7: %s\n", GetLastWindowErrorText());
        return false;
    }
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    if (!InitDisplay(MainWindow)) {
        std::fprintf(stderr, "vorn7: the display could not be taken\n");
        return false;
    }
    TheWorld.CreateResources();
    try {
        if (TheWorld.LoadTileLevel("x2.lvl") != 0 || !TheWorld.LoadBlockLevel("x2fg.lvl")) {
            std::fprintf(stderr, "vorn7: the levels could not be loaded\n");
            return false;
        }
    } catch (const LevelError& e) {
        // Which of the two failed: the tile level is read first.
        const char* file = TheWorld.Actors()->LiveCount() == 0 ? "x2.lvl" : "x2fg.lvl";
        std::fprintf(stderr, "vorn7: %s: %s\n", load_failure::WhereOpened(file).c_str(),
                     e.Describe().c_str());
        return false;
    }
    load_failure::Clear();
    if (!LoadPictures()) {
        std::fprintf(stderr, "vorn7: %s\n",
                     load_failure::Text()[0] ? load_failure::Text() : "the pictures failed");
        return false;
    }
    FrameClock.Start();
    StartPlay();
    started = true;
    return true;
}

}  // namespace headless_start
