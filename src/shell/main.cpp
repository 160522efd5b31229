// Process entry: the command line (a level folder, --watch, --at), then AppMain.
#include "platform/data_path.h"
#include "platform/win_types.h"
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
    return AppMain(nullptr, SW_SHOWNORMAL);
}
