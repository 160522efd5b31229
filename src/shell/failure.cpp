#include "shell/failure.h"

#include <cstdio>

#include "platform/window/console.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "shell/shell_globals.h"

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

int ExitStatus() {
    return g_exitStatus;
}

void ClearExitStatus() {
    g_exitStatus = 0;
}
