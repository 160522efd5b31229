// vorn7-level: the level designer's tools. Tiled maps to and from the game's level files, a
// linter for level files, and the whole world as a picture.
//   vorn7-level to-tiled DATA_DIR OUT_DIR
//   vorn7-level from-tiled MAP.tmx OUT.lvl
//   vorn7-level check FILE.lvl [--blocks]
//   vorn7-level render DATA_DIR OUT.png [--scale N] [--blocks]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "level_check.h"
#include "platform/regular_file.h"
#include "tiled_export.h"
#include "tiled_import.h"
#include "world_picture.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: vorn7-level to-tiled DATA_DIR OUT_DIR\n"
                 "       vorn7-level from-tiled MAP.tmx OUT.lvl\n"
                 "       vorn7-level check FILE.lvl [--blocks]\n"
                 "       vorn7-level render DATA_DIR OUT.png [--scale N] [--blocks]\n");
    return 2;
}

int Failed(const std::string& message) {
    std::fprintf(stderr, "vorn7-level: %s\n", message.c_str());
    return 1;
}

int Check(const char* path, bool blocks) {
    RegularFile file(path, 16ull << 20);
    if (!file.ok()) {
        std::printf("%s:1:1: error: %s\n", path, file.reason());
        return 1;
    }
    std::string bytes(file.size(), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::int64_t n = file.Read(bytes.data() + got, bytes.size() - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    int status = 0;
    for (const level_tool::Finding& f : level_tool::CheckLevel(bytes, blocks)) {
        std::printf("%s:%d:%d: %s: %s\n", path, f.line, f.column, f.severity, f.text.c_str());
        if (std::strcmp(f.severity, "error") == 0) status = 1;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    std::string message;
    const std::string& command = args[0];
    if (command == "to-tiled" && args.size() == 3)
        return level_tool::ExportToTiled(args[1], args[2], message) ? 0 : Failed(message);
    if (command == "from-tiled" && args.size() == 3)
        return level_tool::ImportFromTiled(args[1], args[2], message) ? 0 : Failed(message);
    if (command == "check" && (args.size() == 2 || (args.size() == 3 && args[2] == "--blocks")))
        return Check(args[1].c_str(), args.size() == 3);
    if (command == "render" && args.size() >= 3) {
        int scale = 4;
        bool blocks = false;
        for (std::size_t i = 3; i < args.size(); ++i) {
            if (args[i] == "--blocks") {
                blocks = true;
            } else if (args[i] == "--scale" && i + 1 < args.size()) {
                char* end = nullptr;
                scale = static_cast<int>(std::strtol(args[++i].c_str(), &end, 10));
                if (*end != '\0') return Failed("--scale " + args[i] + ": not a number");
            } else {
                return Usage();
            }
        }
        return level_tool::RenderWorld(args[1], args[2], scale, blocks, message) ? 0
                                                                                 : Failed(message);
    }
    return Usage();
}
