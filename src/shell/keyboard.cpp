#include "shell/keyboard.h"
#include "platform/win_types.h"
#include "shell/camera.h"
#include "shell/mode_cycling.h"

CameraRecord Camera{0, 0, 0, 0};

namespace {

// Velocity changes saturate rather than overflow after billions of presses.
void Nudge(std::int32_t& velocity, std::int32_t by) {
    if ((by > 0 && velocity < INT32_MAX) || (by < 0 && velocity > INT32_MIN)) velocity += by;
}

}  // namespace

std::int32_t OnKeyDown(std::uintptr_t virtualKey) {
    switch (virtualKey) {
        case VK_RETURN:
            CycleResolution();
            return 0;
        case VK_ESCAPE:
            return 1;
        case VK_SPACE:
            CycleColourDepth();
            return 0;
        case VK_LEFT:
            Nudge(Camera.velocityX, -1);
            return 0;
        case VK_UP:
            Nudge(Camera.velocityY, -1);
            return 0;
        case VK_RIGHT:
            Nudge(Camera.velocityX, 1);
            return 0;
        case VK_DOWN:
            Nudge(Camera.velocityY, 1);
            return 0;
        default:
            return 0;
    }
}
