#include "shell/start_up.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "graphics/load_failure.h"
#include "platform/files/data_path.h"
#include "platform/window/window.h"
#include "platform/window/window_memory.h"
#include "shell/camera.h"
#include "shell/camera_follow.h"
#include "shell/command_line.h"
#include "shell/failure.h"
#include "shell/frame_tick.h"
#include "shell/live_reload.h"
#include "shell/picture_loading.h"
#include "shell/shell_globals.h"
#include "shell/stopwatch.h"
#include "shell/window_procedure.h"
#include "world/actors_file.h"
#include "world/level_error.h"
#include "world/world.h"

namespace {

// Runs one level loader; a level error or a failed result is reported with the file's name.
template <typename Loader>
bool LoadLevel(const char* file, Loader load) {
    std::string message = load_failure::WhereOpened(file) + ": ";
    try {
        if (load()) return true;
        message += "Error loading level.";
    } catch (const LevelError& e) {
        message += e.Describe();
        // Started where no level is: say how to play one.
        if (e.missing() && data_path::LevelFolder().empty())
            message += " Start the game in its data folder, or name a level folder: vorn7 FOLDER.";
    }
    ReportFailure(message.c_str());
    return false;
}

// The level folder's actors file, when it has one: the walkers where it puts them, and its start
// where the camera starts unless --at says otherwise.
bool LoadActors() {
    try {
        const std::optional<ActorsFile> file = ReadActorsFile(kActorsFile);
        if (!file) return true;
        ApplyActors(*file);
        return true;
    } catch (const ActorsFileError& e) {
        ReportFailure((load_failure::WhereOpened(kActorsFile) + ": " + e.what()).c_str());
        return false;
    }
}

// The start-up steps after the display is taken; a failure is reported and ends start-up.
bool LoadEverything() {
    bool spawned = true;
    if (!LoadLevel(kTileLevelFile, [&] {
            const std::int32_t result = TheWorld.LoadTileLevel(kTileLevelFile);
            spawned = result != -10;
            return result == 0 || !spawned;
        }))
        return false;
    if (!spawned) {
        ReportFailure("the walker could not be spawned");
        return false;
    }
    if (!LoadLevel(kBlockLevelFile, [] { return TheWorld.LoadBlockLevel(kBlockLevelFile) != 0; }))
        return false;
    if (!LoadActors()) return false;
    load_failure::Clear();
    if (LoadPictures() == 0) {
        ReportFailure(load_failure::Text()[0] != '\0' ? load_failure::Text()
                                                      : "the display surfaces could not be filled");
        return false;
    }
    return true;
}

}  // namespace

void ApplyActors(const ActorsFile& file) {
    if (file.hasStart && !Launch.startAtGiven) {
        Launch.startX = file.startX;
        Launch.startY = file.startY;
    }
    if (file.actors.empty()) return;
    TheWorld.Actors()->SetPlacements(file.actors);
    TheWorld.Actors()->Restart();
    // With a player, --at is where it plays from.
    if (Launch.startAtGiven) PlayFrom(Launch.startX, Launch.startY);
}

HWND CreateMainWindow(const char* className, HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(32512));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);  // a failure shows as a failed window creation
    // The title names the level folder played, so two games (or a game beside Tiled) are told
    // apart; the game's own data keeps the class name.
    const std::string title = data_path::LevelFolder().empty()
                                  ? std::string(className)
                                  : std::string(className) + ": " + data_path::LevelFolder();
    // The window as the user last left it: a window where it was put, or full screen. --windowed
    // asks for a window; without it and without a kept place the game is full screen, as ever.
    WindowPlacement kept;
    const bool recalled = RecallWindowPlacement(kept);
    const bool placed = recalled && kept.placed;
    if (Launch.windowed || (recalled && !kept.fullScreen))
        return CreateWindowExA(
            0, className, title.c_str(), WS_OVERLAPPEDWINDOW, placed ? kept.x : CW_USEDEFAULT,
            placed ? kept.y : CW_USEDEFAULT, placed ? kept.width : DisplayMode.width,
            placed ? kept.height : DisplayMode.height, nullptr, nullptr, instance, nullptr);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, className, title.c_str(), WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    // F11 and Alt+Enter then bring the window back where it was.
    if (window != nullptr && placed) SetWindowPlacement(window, &kept);
    return window;
}

bool StartUp(HINSTANCE instance, int showCommand) {
    // Saves from here on are seen: the watch, started after everything is read, looks back.
    const auto readingStarted = std::filesystem::file_time_type::clock::now();
    HWND window = CreateMainWindow(kClassName, instance);
    if (window == nullptr) {
        ReportFailure(GetLastWindowErrorText());
        return false;
    }
    MainWindow = window;
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    // Full screen takes the keyboard; a window beside others (an editor's) gets it as the
    // window manager gives new windows focus, not by force.
    if (IsFullScreen(MainWindow)) SetFocus(MainWindow);
    ShowCursor(FALSE);
    UpperRowStrip = nullptr;
    LowerRowStrip = nullptr;
    const std::int32_t displayTaken = InitDisplay(MainWindow);
    TheWorld.CreateResources();  // before the display result: window destruction needs it
    bool started = false;
    if (!displayTaken) {
        char message[160];
        std::snprintf(message, sizeof message, "the display could not be taken (%dx%dx%d)",
                      DisplayMode.width, DisplayMode.height, DisplayMode.colourDepth);
        ReportFailure(message);
    } else {
        started = LoadEverything();
    }
    if (!started) {
        DestroyWindow(MainWindow);
        return false;
    }
    if (Launch.watch) StartWatching(readingStarted);
    FrameClock.Start();
    StartPlay();
    return true;
}

void StartPlay() {
    Camera = {Launch.startX, Launch.startY, 0, 0};
    CentreCameraOnPlayer();  // a level's player: the camera starts on it
    FrameTiming.previousFrameTime = FrameClock.Elapsed();
}
