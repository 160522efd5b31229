#include "shell/app.h"

#include <cstdio>
#include <optional>
#include <string>

#include "actors/actor_manager.h"
#include "actors/sprite_constants.h"
#include "display/display.h"
#include "graphics/load_failure.h"
#include "graphics/picture_layout.h"
#include "platform/files/data_path.h"
#include "platform/window/console.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "shell/camera.h"
#include "shell/command_line.h"
#include "shell/desktop_keys.h"
#include "shell/frame_tick.h"
#include "shell/keyboard.h"
#include "shell/live_reload.h"
#include "shell/stopwatch.h"
#include "shell/surface_life_cycle.h"
#include "world/actors_file.h"
#include "world/level_error.h"
#include "world/world.h"

HWND MainWindow = nullptr;
std::int32_t AppActive = 0;
Bitmap ShellSpriteSheet;
ClippedSurfaceStrip* UpperRowStrip = nullptr;
ClippedSurfaceStrip* LowerRowStrip = nullptr;

namespace {

int g_exitStatus = 0;

void Report(const char* what) {
    std::fprintf(stderr, "vorn7: %s\n", what);
    // Started from a menu or a file manager, no one reads standard error: show the line too.
    if (!StandardErrorIsTerminal()) {
        char line[700];
        std::snprintf(line, sizeof line, "vorn7: %s", what);
        MessageBoxA(nullptr, line, kClassName, MB_OK | MB_ICONERROR);
    }
    g_exitStatus = 1;
}

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
    Report(message.c_str());
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
        Report((load_failure::WhereOpened(kActorsFile) + ": " + e.what()).c_str());
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
        Report("the walker could not be spawned");
        return false;
    }
    if (!LoadLevel(kBlockLevelFile, [] { return TheWorld.LoadBlockLevel(kBlockLevelFile) != 0; }))
        return false;
    if (!LoadActors()) return false;
    load_failure::Clear();
    if (LoadPictures() == 0) {
        Report(load_failure::Text()[0] != '\0' ? load_failure::Text()
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
}

void EndAfterFailure(const char* what) {
    Report(what);
    if (MainWindow != nullptr) DestroyWindow(MainWindow);
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
    // vorn7 --windowed: an ordinary window of the start mode's size.
    if (Launch.windowed)
        return CreateWindowExA(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                               DisplayMode.width, DisplayMode.height, nullptr, nullptr, instance,
                               nullptr);
    return CreateWindowExA(WS_EX_TOPMOST, className, title.c_str(), WS_POPUP, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                           nullptr, instance, nullptr);
}

int AppMain(HINSTANCE instance, int showCommand) {
    if (!StartUp(instance, showCommand)) return g_exitStatus;
    const std::int32_t result = RunMainLoop();
    return result != 0 ? result : g_exitStatus;
}

bool StartUp(HINSTANCE instance, int showCommand) {
    g_exitStatus = 0;
    HWND window = CreateMainWindow(kClassName, instance);
    if (window == nullptr) {
        Report(GetLastWindowErrorText());
        return false;
    }
    MainWindow = window;
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    SetFocus(MainWindow);
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
        Report(message);
    } else {
        started = LoadEverything();
    }
    if (!started) {
        DestroyWindow(MainWindow);
        return false;
    }
    if (Launch.watch) StartWatching();
    FrameClock.Start();
    StartPlay();
    return true;
}

std::int32_t LoadShellSheet() {
    if (ShellSpriteSheet.Load(kWalkerSheetFile) == 0) return 0;
    return CheckPictureCovers(ShellSpriteSheet, kWalkerSheetFile, kWalkerSheet);
}

std::int32_t LoadPictures() {
    if (LoadShellSheet() == 0) return 0;
    if (TheWorld.LoadBitmaps() == 0) return 0;
    return CreateDisplayObjects();
}

void StartPlay() {
    Camera = {Launch.startX, Launch.startY, 0, 0};
    FrameTiming.previousFrameTime = FrameClock.Elapsed();
}

std::int32_t RunMainLoop() {
    for (;;) {
        if (PeekMessageA(nullptr, nullptr, 0, 0, PM_NOREMOVE)) {
            MSG message;
            if (!GetMessageA(&message, nullptr, 0, 0))
                return static_cast<std::int32_t>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (AppActive != 0) {
            if (RunFrame() == 0) return 1;
        } else {
            WaitMessage();
        }
    }
}

std::int32_t RunFrame() {
    // FrameTick fails only when the world cannot be drawn, and World::Draw always reports
    // success: the branch is kept because the frame's contract has it.
    if (FrameTick() == 0) {
        EndAfterFailure("a frame could not be drawn");
        return 0;
    }
    if (PresentFrame() == 0) {
        EndAfterFailure("lost display surfaces could not be restored");
        return 0;
    }
    return 1;
}

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            if (Launch.watch) StopWatching();
            ShutdownDisplay();
            ShowCursor(TRUE);
            PostQuitMessage(0);
            return 0;
        case WM_ACTIVATEAPP:
            AppActive = static_cast<std::int32_t>(wParam);
            return 0;
        case WM_KEYDOWN:
            if (OnDesktopKey(window, message, wParam)) return 0;
            if (OnKeyDown(wParam) != 0) DestroyWindow(window);
            return 0;
        case WM_SYSKEYDOWN:  // keys with Alt: only Alt+Enter means something
            OnDesktopKey(window, message, wParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return 0;
        case WM_FILECHANGED:
            OnFileChanged(static_cast<std::size_t>(wParam));
            // A save made in another window shows at once, though the game is not active.
            if (AppActive == 0 && MainWindow != nullptr) RunFrame();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
