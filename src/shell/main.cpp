// Process entry: no command line, no configuration; everything happens in AppMain.
#include "platform/win_types.h"
#include "shell/app.h"

int main() {
    return AppMain(nullptr, SW_SHOWNORMAL);
}
