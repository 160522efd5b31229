#include "platform/console.h"

#include <SDL.h>
#include <unistd.h>

#include <cstring>

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    const char* driver = SDL_getenv("SDL_VIDEODRIVER");
    if (driver != nullptr &&
        (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0))
        return 0;
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption ? caption : "", text ? text : "",
                                    nullptr) == 0
               ? 1
               : 0;
}
