#include "shell/window_procedure.h"

#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "platform/window/window_memory.h"
#include "shell/command_line.h"
#include "shell/desktop_keys.h"
#include "shell/keyboard.h"
#include "shell/live_reload.h"
#include "shell/player_input.h"
#include "shell/run_frame.h"
#include "shell/shell_globals.h"
#include "shell/surface_life_cycle.h"

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY: {
            // The window's place and full screen for the next start.
            WindowPlacement placement;
            if (GetWindowPlacement(window, &placement)) RememberWindowPlacement(placement);
            if (Launch.watch) StopWatching();
            ShutdownDisplay();
            ShowCursor(TRUE);
            PostQuitMessage(0);
            return 0;
        }
        case WM_ACTIVATEAPP:
            AppActive = static_cast<std::int32_t>(wParam);
            if (AppActive == 0) ReleasePlayerKeys();  // their key-ups go to another window
            return 0;
        case WM_KEYDOWN:
            if (OnDesktopKey(window, message, wParam)) return 0;
            // With a player, its keys steer it; Space, Enter and Escape keep their meaning.
            if (OnPlayerKey(wParam, true)) return 0;
            if (OnKeyDown(wParam) != 0) DestroyWindow(window);
            return 0;
        case WM_SYSKEYDOWN:  // keys with Alt: only Alt+Enter means something
            OnDesktopKey(window, message, wParam);
            return 0;
        case WM_KEYUP:
            OnPlayerKey(wParam, false);
            return 0;
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
