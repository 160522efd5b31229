#include "shell/app.h"

#include "platform/window/messages.h"
#include "shell/failure.h"
#include "shell/run_frame.h"
#include "shell/shell_globals.h"
#include "shell/start_up.h"

int AppMain(HINSTANCE instance, int showCommand) {
    ClearExitStatus();
    if (!StartUp(instance, showCommand)) return ExitStatus();
    const std::int32_t result = RunMainLoop();
    return result != 0 ? result : ExitStatus();
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
