// In a browser the page places the canvas: no window's place is kept.
#include "platform/window/window_memory.h"

std::string WindowMemoryFile() {
    return "";
}

bool RecallWindowPlacement(WindowPlacement&) {
    return false;
}

void RememberWindowPlacement(const WindowPlacement&) {}
