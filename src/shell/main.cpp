// Process entry: the command line (a level folder, --watch, --at, the window and the mode),
// then AppMain.
#include "display/display.h"
#include "platform/files/data_path.h"
#include "platform/win_types.h"
#include "platform/window/window.h"
#include "shell/app.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
    switch (ParseCommandLine(argc, argv, Launch)) {
        case CommandLineOutcome::kExitSuccess:
            return 0;
        case CommandLineOutcome::kUsageError:
            return 2;
        case CommandLineOutcome::kRun:
            break;
    }
    data_path::SetLevelFolder(Launch.levelFolder);
    DisplayMode = {Launch.colourDepth, Launch.width, Launch.height};
    ScaleFrameByWholeFactors(Launch.wholeFactors ? TRUE : FALSE);
    return AppMain(nullptr, SW_SHOWNORMAL);
}
