// Messages in the browser: the page shows every line the game writes on standard error (and the
// browser's console keeps them), so standard error is what a user reads; the message box is the
// page's message line.
#include <emscripten.h>

#include "platform/window/console.h"

bool StandardErrorIsTerminal() {
    return true;
}

namespace {
EM_JS(int, ShowInPage, (const char* text), {
    if (!Module.vorn7Message) return 0;
    Module.vorn7Message(UTF8ToString(text));
    return 1;
});
}  // namespace

int MessageBoxA(HWND, LPCSTR text, LPCSTR, UINT) {
    return ShowInPage(text ? text : "");
}
