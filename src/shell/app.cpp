#include "shell/app.h"

#include <cstdio>

#include "platform/window/console.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "shell/frame_tick.h"
#include "shell/start_up.h"
#include "shell/surface_life_cycle.h"

HWND MainWindow = nullptr;
std::int32_t AppActive = 0;
Bitmap ShellSpriteSheet;
ClippedSurfaceStrip* UpperRowStrip = nullptr;
ClippedSurfaceStrip* LowerRowStrip = nullptr;

namespace {

int g_exitStatus = 0;

}  // namespace

void ReportFailure(const char* what) {
    std::fprintf(stderr, "vorn7: %s\n", what);
    // Started from a menu or a file manager, no one reads standard error: show the line too.
    if (!StandardErrorIsTerminal()) {
        char line[700];
        std::snprintf(line, sizeof line, "vorn7: %s", what);
        MessageBoxA(nullptr, line, kClassName, MB_OK | MB_ICONERROR);
    }
    g_exitStatus = 1;
}

void EndAfterFailure(const char* what) {
    ReportFailure(what);
    if (MainWindow != nullptr) DestroyWindow(MainWindow);
}

int AppMain(HINSTANCE instance, int showCommand) {
    g_exitStatus = 0;
    if (!StartUp(instance, showCommand)) return g_exitStatus;
    const std::int32_t result = RunMainLoop();
    return result != 0 ? result : g_exitStatus;
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
