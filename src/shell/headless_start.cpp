#include "shell/headless_start.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/win_types.h"
#include "shell/start_up.h"

namespace headless_start {

bool Start(const char* dataDir) {
    static bool started = false;
    if (started) return true;
    // SDL's dummy driver shows nothing, so no frame is presented or paced.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::error_code error;
    std::filesystem::current_path(dataDir, error);
    if (error) {
        std::fprintf(stderr, "vorn7: %s: %s\n", dataDir, error.message().c_str());
        return false;
    }
    started = StartUp(nullptr, SW_SHOWNORMAL);
    return started;
}

}  // namespace headless_start
