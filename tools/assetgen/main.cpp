// Writes the game's data files into the folder named on the command line:
//   x2.lvl, x2fg.lvl, gfx/tiles.bmp, gfx/bigben.bmp, gfx/badguysprites2.bmp, vornsprites24bit.bmp,
//   gfx/player.bmp, gfx/goal.bmp, and the level to play, levels/first-run/ (x2.lvl, x2fg.lvl,
//   x2.actors)
// and, when a second folder is named, the program's icon there (NxN/apps/vorn7.png).
// The output is the same, byte for byte, on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "actor_art.h"
#include "actors/sprite_constants.h"
#include "background.h"
#include "block_sheet.h"
#include "icon.h"
#include "levels.h"
#include "play_level.h"
#include "tile_sheet.h"
#include "walker_sheet.h"
#include "world/actors_file.h"
#include "world/map_types.h"

namespace {

bool WriteLevel(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << '\n';
    return static_cast<bool>(out);
}

bool WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_FOLDER [ICON_FOLDER]\n");
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(root / "gfx", ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", (root / "gfx").c_str(),
                     ec.message().c_str());
        return 1;
    }
    std::string error;
    struct Picture {
        const char* name;
        assetgen::Canvas (*make)();
        bool palettized;
    };
    const Picture pictures[] = {{kTilePictureFile, assetgen::MakeTileSheet, true},
                                {kBackgroundPictureFile, assetgen::MakeBackground, false},
                                {kBlockPictureFile, assetgen::MakeBlockSheet, true},
                                {kWalkerSheetFile, assetgen::MakeWalkerSheet, false},
                                {kPlayerSheetFile, assetgen::MakePlayerSheet, false},
                                {kGoalPictureFile, assetgen::MakeGoalPicture, false}};
    for (const Picture& p : pictures) {
        const assetgen::Canvas canvas = p.make();
        const std::string path = (root / p.name).string();
        const bool ok = p.palettized ? assetgen::SaveBmp8(canvas, path, error)
                                     : assetgen::SaveBmp24(canvas, path, error);
        if (!ok) {
            std::fprintf(stderr, "assetgen: %s: %s\n", p.name, error.c_str());
            return 1;
        }
    }
    if (argc == 3 && !assetgen::WriteIcons(assetgen::MakeWalkerSheet(), argv[2], error)) {
        std::fprintf(stderr, "assetgen: %s\n", error.c_str());
        return 1;
    }
    if (!WriteLevel(root / kTileLevelFile, assetgen::MakeTileLevel()) ||
        !WriteLevel(root / kBlockLevelFile, assetgen::MakeBlockLevel())) {
        std::fprintf(stderr, "assetgen: cannot write the level files\n");
        return 1;
    }
    const std::filesystem::path play = root / assetgen::kPlayLevelFolder;
    std::filesystem::create_directories(play, ec);
    const assetgen::PlayLevel level = assetgen::MakePlayLevel();
    if (ec || !WriteLevel(play / kTileLevelFile, level.tiles) ||
        !WriteLevel(play / kBlockLevelFile, level.blocks) ||
        !WriteText(play / kActorsFile, level.actors)) {
        std::fprintf(stderr, "assetgen: cannot write the level in %s\n", play.c_str());
        return 1;
    }
    return 0;
}
