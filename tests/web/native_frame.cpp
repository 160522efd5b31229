// The desktop game's frame for a view, for the browser test to compare the page's canvas with:
// the real program, headless on the virtual clock, given the same options the page passes; the
// frame after a few as a PPM.
//   vorn7_native_frame OUT.ppm [vorn7's options and level folder]
#include <cstdio>
#include <vector>

#include "display/display.h"
#include "game_run.h"
#include "platform/files/data_path.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: vorn7_native_frame OUT.ppm [vorn7's options]\n", stderr);
        return 2;
    }
    std::vector<const char*> args{"vorn7"};
    for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
    if (ParseCommandLine(static_cast<int>(args.size()), args.data(), Launch) !=
        CommandLineOutcome::kRun)
        return 2;
    data_path::SetLevelFolder(Launch.levelFolder);
    DisplayMode = {Launch.colourDepth, Launch.width, Launch.height};
    game_run::UseHeadlessPlatform(16);
    constexpr std::uint64_t kFrames = 5;
    game_run::QuitAt(kFrames);
    bool written = false;
    const game_run::Result result =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& frame) {
            if (frame.frameNumber != kFrames) return;
            game_run::WritePpm(frame, argv[1]);
            written = true;
        });
    if (result.exitCode != 0 || !written) {
        std::fprintf(stderr, "vorn7_native_frame: no frame (status %d)\n", result.exitCode);
        return 1;
    }
    return 0;
}
