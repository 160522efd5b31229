#include "shell/command_line.h"

#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

LaunchOptions Launch;

namespace {

constexpr const char* kUsage =
    "usage: vorn7 [FOLDER] [--watch] [--at X,Y]\n"
    "  FOLDER     a level folder: its files are used before the game's own (vorn7-level new)\n"
    "  --watch    reload each level file and picture the game read when it is saved\n"
    "  --at X,Y   start with the camera's view centre at world pixel X,Y (0 to 8192)\n"
    "  --help     this text; --version: the version\n";

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
    value = static_cast<std::int32_t>(number < 0 ? 0 : number > 8192 ? 8192 : number);
    return true;
}

bool ParseAt(const char* text, LaunchOptions& options) {
    const char* comma = std::strchr(text, ',');
    if (comma == nullptr) return false;
    return ParseCoordinate(text, comma, options.startX) &&
           ParseCoordinate(comma + 1, comma + std::strlen(comma), options.startY);
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
        } else if (std::strcmp(arg, "--at") == 0 || std::strncmp(arg, "--at=", 5) == 0) {
            const char* value = arg[4] == '=' ? arg + 5 : (i + 1 < argc ? argv[++i] : nullptr);
            if (value == nullptr) return UsageError("needs X,Y", arg);
            if (!ParseAt(value, options)) return UsageError("not X,Y (two whole numbers)", value);
            options.startAtGiven = true;
        } else if (arg[0] == '-') {
            return UsageError("unknown option", arg);
        } else if (!options.levelFolder.empty()) {
            return UsageError("only one level folder can be played", arg);
        } else {
            struct stat info {};
            const bool exists = ::stat(arg, &info) == 0;
            if (!exists || !S_ISDIR(info.st_mode))
                return UsageError(exists ? "not a folder" : "no such folder", arg);
            options.levelFolder = arg;
        }
    }
    return CommandLineOutcome::kRun;
}
