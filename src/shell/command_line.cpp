#include "shell/command_line.h"

#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files/data_path.h"
#include "world/map_types.h"

LaunchOptions Launch;

namespace {

constexpr const char* kUsage =
    "usage: vorn7 [FOLDER] [--watch] [--at X,Y] [--windowed] [--mode WxHxD] [--scale fit|integer]\n"
    "  FOLDER         a level folder: its files are used before the game's own (vorn7-level new);\n"
    "                 a name alone is also looked for among the game's levels (vorn7 first-run)\n"
    "  --watch        reload each level file and picture the game read when it is saved\n"
    "  --at X,Y       start with the camera's view centre at world pixel X,Y (0 to 8192)\n"
    "  --windowed     a resizable window instead of full screen, where it was last put\n"
    "                 (else of the mode's size beside the other windows)\n"
    "  --mode WxHxD   the start mode: 640x480, 800x600 or 1024x768 by 8, 16, 24 or 32 bits\n"
    "                 (800x600x32 unless given)\n"
    "  --scale fit    the frame as large as the screen allows, its aspect kept (the default)\n"
    "  --scale integer  the largest whole-number factor, centred, for crisp pixels\n"
    "  --help         this text; --version: the version\n";

CommandLineOutcome UsageError(const char* what, const char* argument) {
    std::fprintf(stderr, "vorn7: %s: %s\n%s", argument, what, kUsage);
    return CommandLineOutcome::kUsageError;
}

// One coordinate of --at: a whole number, clamped to the world as the camera always is.
bool ParseCoordinate(const char* text, const char* end, std::int32_t& value) {
    if (text == end) return false;
    std::int64_t number = 0;
    bool negative = false;
    const char* p = text;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    if (p == end) return false;
    for (; p != end; ++p) {
        if (*p < '0' || *p > '9') return false;
        if (number < 100000000) number = number * 10 + (*p - '0');
    }
    if (negative) number = -number;
    value = static_cast<std::int32_t>(number < 0 ? 0 : number > kWorldSize ? kWorldSize : number);
    return true;
}

bool ParseAt(const char* text, LaunchOptions& options) {
    const char* comma = std::strchr(text, ',');
    if (comma == nullptr) return false;
    return ParseCoordinate(text, comma, options.startX) &&
           ParseCoordinate(comma + 1, comma + std::strlen(comma), options.startY);
}

// WxHxD, one of the twelve modes the cycles reach.
bool ParseMode(const char* text, LaunchOptions& options) {
    int width = 0, height = 0, depth = 0, used = 0;
    if (std::sscanf(text, "%5dx%5dx%3d%n", &width, &height, &depth, &used) != 3 ||
        text[used] != '\0')
        return false;
    const bool size = (width == 640 && height == 480) || (width == 800 && height == 600) ||
                      (width == 1024 && height == 768);
    if (!size || (depth != 8 && depth != 16 && depth != 24 && depth != 32)) return false;
    options.width = width;
    options.height = height;
    options.colourDepth = depth;
    return true;
}

// An option's value: after '=' or the next argument; null when there is none.
const char* ValueOf(const char* option, int argc, const char* const* argv, int& i) {
    const char* equals = std::strchr(option, '=');
    if (equals != nullptr) return equals + 1;
    return i + 1 < argc ? argv[++i] : nullptr;
}

bool Is(const char* arg, const char* option) {
    const std::size_t n = std::strlen(option);
    return std::strncmp(arg, option, n) == 0 && (arg[n] == '\0' || arg[n] == '=');
}

}  // namespace

CommandLineOutcome ParseCommandLine(int argc, const char* const* argv, LaunchOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(kUsage, stdout);
            return CommandLineOutcome::kExitSuccess;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("vorn7 %s\n", VORN7_VERSION);
            return CommandLineOutcome::kExitSuccess;
        }
        if (std::strcmp(arg, "--watch") == 0) {
            options.watch = true;
        } else if (std::strcmp(arg, "--windowed") == 0) {
            options.windowed = true;
        } else if (Is(arg, "--at")) {
            const char* value = ValueOf(arg, argc, argv, i);
            if (value == nullptr) return UsageError("needs X,Y", arg);
            if (!ParseAt(value, options)) return UsageError("not X,Y (two whole numbers)", value);
            options.startAtGiven = true;
        } else if (Is(arg, "--mode")) {
            const char* value = ValueOf(arg, argc, argv, i);
            if (value == nullptr) return UsageError("needs WxHxD", arg);
            if (!ParseMode(value, options))
                return UsageError("not a mode (640x480, 800x600 or 1024x768, by 8, 16, 24 or 32)",
                                  value);
        } else if (Is(arg, "--scale")) {
            const char* value = ValueOf(arg, argc, argv, i);
            if (value == nullptr) return UsageError("needs fit or integer", arg);
            if (std::strcmp(value, "fit") != 0 && std::strcmp(value, "integer") != 0)
                return UsageError("not fit or integer", value);
            options.wholeFactors = std::strcmp(value, "integer") == 0;
        } else if (arg[0] == '-') {
            return UsageError("unknown option", arg);
        } else if (!options.levelFolder.empty()) {
            return UsageError("only one level folder can be played", arg);
        } else {
            struct stat info {};
            bool exists = ::stat(arg, &info) == 0;
            std::string folder = arg;
            // A bare name that is no folder here may be one of the game's own levels.
            if (!exists && std::strchr(arg, '/') == nullptr) {
                const std::string shipped =
                    data_path::GameDataFolder() + "/" + kShippedLevels + "/" + arg;
                if (::stat(shipped.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
                    exists = true;
                    folder = shipped;
                }
            }
            if (!exists || !S_ISDIR(info.st_mode))
                return UsageError(exists ? "not a folder" : "no such folder", arg);
            options.levelFolder = folder;
        }
    }
    return CommandLineOutcome::kRun;
}
