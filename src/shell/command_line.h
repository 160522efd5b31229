// The game's command line: vorn7 [FOLDER] [--watch] [--at X,Y] [--windowed] [--mode WxHxD]
// [--scale fit|integer] [--help] [--version]. Parsed by main before AppMain; without arguments
// the game runs exactly as it always has.
#pragma once

#include <cstdint>
#include <string>

struct LaunchOptions {
    std::string levelFolder;  // "" plays the game's own data (the working directory)
    bool watch = false;       // reload each level file and picture when it is saved
    bool startAtGiven = false;
    std::int32_t startX = 500;  // the camera's first view centre
    std::int32_t startY = 380;
    bool windowed = false;     // a resizable window instead of full screen
    std::int32_t width = 800;  // the start mode: one the mode cycles reach
    std::int32_t height = 600;
    std::int32_t colourDepth = 32;
    bool wholeFactors = false;  // --scale integer: crisp pixels instead of the largest fit
};

// The game's own level folders, in its data folder: vorn7 NAME plays DATA/levels/NAME.
constexpr const char* kShippedLevels = "levels";

// What main does with the command line.
enum class CommandLineOutcome { kRun, kExitSuccess, kUsageError };

// Fills options; for --help and --version prints to standard output (kExitSuccess), for a bad
// argument prints one line and the usage to standard error (kUsageError, status 2).
CommandLineOutcome ParseCommandLine(int argc, const char* const* argv, LaunchOptions& options);

// The options the running game was started with; the start-up and the camera read them.
extern LaunchOptions Launch;
