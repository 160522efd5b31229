// vorn7-level: the level designer's tools. A level folder of one's own, Tiled maps to and from
// the game's level files, a linter for level files, and the whole world as a picture.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "level_check.h"
#include "level_folder.h"
#include "platform/files/data_path.h"
#include "platform/files/regular_file.h"
#include "tiled_export.h"
#include "tiled_import.h"
#include "tiled_run.h"
#include "world_picture.h"

namespace {

constexpr const char* kUsage =
    "usage: vorn7-level new FOLDER                        a level folder of one's own\n"
    "       vorn7-level tiled FOLDER                      Tiled with the folder's project open\n"
    "       vorn7-level to-tiled LEVEL_DIR OUT_DIR [--force]\n"
    "       vorn7-level from-tiled MAP.tmx|MAP.tmj OUT.lvl\n"
    "       vorn7-level check FILE.lvl [--blocks]\n"
    "       vorn7-level render LEVEL_DIR OUT.png [--scale N] [--blocks]\n"
    "       vorn7-level tilesets FOLDER                   tiles.tsx, blocks.tsx for its pictures\n"
    "       vorn7-level --help | --version\n";

// With --help: how a level reaches someone without the game.
constexpr const char* kSharing =
    "\nSharing a level as a link: upload the level folder's own files (those of x2.lvl,\n"
    "x2fg.lvl, x2.actors, gfx/tiles.bmp, gfx/bigben.bmp, gfx/badguysprites2.bmp,\n"
    "vornsprites24bit.bmp, gfx/player.bmp, gfx/goal.bmp it has, in the same places) to any web\n"
    "server, and give the address of the game's site\n"
    "(make web) with ?level= and the folder's address, absolute or relative to the site:\n"
    "  https://example.org/vorn7/?level=levels/mine/&at=4000,2000\n"
    "A server other than the site's must allow it (CORS: Access-Control-Allow-Origin).\n";

// A usage error: what is wrong, then the usage, on standard error; status 2.
int UsageError(const std::string& what) {
    std::fprintf(stderr, "vorn7-level: %s\n%s", what.c_str(), kUsage);
    return 2;
}

int Failed(const std::string& message) {
    std::fprintf(stderr, "vorn7-level: %s\n", message.c_str());
    return 1;
}

int Wrote(const std::string& what) {
    std::printf("vorn7-level: wrote %s\n", what.c_str());
    return 0;
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

// The operands of a command, its flags taken out; a flag it does not know is a usage error.
struct Arguments {
    std::vector<std::string> operands;
    bool blocks = false, force = false;
    int scale = 4;
    std::string error;
};

Arguments Split(const std::vector<std::string>& args) {
    Arguments a;
    for (std::size_t i = 1; i < args.size() && a.error.empty(); ++i) {
        if (args[i] == "--blocks") {
            a.blocks = true;
        } else if (args[i] == "--force") {
            a.force = true;
        } else if (args[i] == "--scale") {
            if (i + 1 == args.size()) {
                a.error = "--scale needs a number";
                break;
            }
            char* end = nullptr;
            const long scale = std::strtol(args[++i].c_str(), &end, 10);
            if (args[i].empty() || *end != '\0' || scale < 1 || scale > 32 || (scale & (scale - 1)))
                a.error = "--scale " + args[i] + ": the scale is 1, 2, 4, 8, 16 or 32";
            a.scale = static_cast<int>(scale);
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            a.error = args[i] + ": unknown option";
        } else {
            a.operands.push_back(args[i]);
        }
    }
    return a;
}

// "render needs OUT.png" when operands are missing, "" when they are all there.
std::string Missing(const std::string& command, const Arguments& a,
                    std::initializer_list<const char*> names) {
    std::size_t i = 0;
    for (const char* name : names)
        if (i++ >= a.operands.size()) return command + " needs " + name;
    if (a.operands.size() > names.size()) return a.operands[names.size()] + ": one too many";
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("which command?");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        std::fputs(kSharing, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("vorn7-level %s\n", VORN7_VERSION);
        return 0;
    }
    const Arguments a = Split(args);
    if (!a.error.empty()) return UsageError(a.error);
    std::string message, summary, problem;
    const std::string gameData = data_path::FoundGameData();
    if (command == "new") {
        if (!(problem = Missing(command, a, {"FOLDER"})).empty()) return UsageError(problem);
        if (gameData.empty()) return Failed("the game's data folder is not beside this tool");
        return level_tool::NewLevelFolder(a.operands[0], gameData, summary, message)
                   ? Wrote(summary)
                   : Failed(message);
    }
    if (command == "to-tiled") {
        if (!(problem = Missing(command, a, {"LEVEL_DIR", "OUT_DIR"})).empty())
            return UsageError(problem);
        return level_tool::ExportToTiled(a.operands[0], gameData, a.operands[1], a.force, summary,
                                         message)
                   ? Wrote(summary)
                   : Failed(message);
    }
    if (command == "tiled") {
        if (!(problem = Missing(command, a, {"FOLDER"})).empty()) return UsageError(problem);
        std::string session;
        if (!level_tool::MakeTiledOpen(a.operands[0], session, message)) return Failed(message);
        std::printf(
            "vorn7-level: Tiled opens %s; it asks to enable the project's extensions "
            "(the Vorn7 level format and Play in Vorn7): click Enable Extensions\n",
            session.c_str());
        std::fflush(stdout);
        return level_tool::RunTiled(a.operands[0], message) ? 0 : Failed(message);
    }
    if (command == "from-tiled") {
        if (!(problem = Missing(command, a, {"MAP", "OUT.lvl"})).empty())
            return UsageError(problem);
        std::vector<std::string> warnings;
        summary.clear();
        const bool ok =
            level_tool::ImportFromTiled(a.operands[0], a.operands[1], summary, message, warnings);
        for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
        return ok ? Wrote(summary) : Failed(message);
    }
    if (command == "check") {
        if (!(problem = Missing(command, a, {"FILE.lvl"})).empty()) return UsageError(problem);
        return Check(a.operands[0].c_str(), a.blocks);
    }
    if (command == "render") {
        if (!(problem = Missing(command, a, {"LEVEL_DIR", "OUT.png"})).empty())
            return UsageError(problem);
        // The folder's own files first, the game's for the rest, as the game reads them.
        data_path::SetLevelFolder(a.operands[0]);
        const std::string& from = gameData.empty() ? a.operands[0] : gameData;
        return level_tool::RenderWorld(from, a.operands[1], a.scale, a.blocks, message)
                   ? Wrote(a.operands[1])
                   : Failed(message);
    }
    if (command == "tilesets") {
        if (!(problem = Missing(command, a, {"FOLDER"})).empty()) return UsageError(problem);
        return level_tool::WriteTilesets(a.operands[0], "", message)
                   ? Wrote(a.operands[0] + "/tiles.tsx and blocks.tsx")
                   : Failed(message);
    }
    return UsageError(command + ": unknown command");
}
