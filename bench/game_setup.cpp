#include "game_setup.h"

#include "display/display.h"
#include "shell/headless_start.h"
#include "shell/mode_cycling.h"

namespace game_setup {

bool Start() {
    return headless_start::Start(VORN7_DATA_DIR);
}

void SwitchTo(int width, int height, int depth) {
    for (int i = 0; i < 3 && DisplayMode.width != width; ++i) CycleResolution();
    for (int i = 0; i < 4 && DisplayMode.colourDepth != depth; ++i) CycleColourDepth();
    (void)height;
}

}  // namespace game_setup
