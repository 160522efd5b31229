// vorn7 --watch, headless and in-process: a level folder plays, and each save of a watched file is
// loaded between two frames. A save that does not load changes nothing and says why until a good
// save replaces it; the game never stops.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "actors/actor_manager.h"
#include "actors/sprite_constants.h"
#include "game_run.h"
#include "platform/files/data_path.h"
#include "platform/seams/test_seams.h"
#include "shell/camera.h"
#include "shell/command_line.h"
#include "shell/live_reload.h"
#include "world/world.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// An empty level folder of this test's own.
fs::path NewFolder(const std::string& name) {
    const fs::path folder =
        fs::temp_directory_path() / ("vorn7-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// The shipped tile level with tile 0 in its top-left cell, where the shipped one has another.
std::string EditedLevel() {
    std::string level = Read(game_run::DataFolder() / "x2.lvl");
    level[0] = '=';
    return level;
}

TEST(LiveReload, EachSaveLoadsBetweenFramesAndABadOneChangesNothing) {
    const fs::path folder = NewFolder("watch");
    const std::string shipped = Read(game_run::DataFolder() / "x2.lvl");
    const std::string edited = EditedLevel();
    // The folder holds the level and the tile picture; the rest comes from the game's data.
    Write(folder / "x2.lvl", shipped);
    fs::create_directories(folder / "gfx");
    fs::copy_file(game_run::DataFolder() / "gfx/tiles.bmp", folder / "gfx/tiles.bmp");
    data_path::SetLevelFolder(folder.string());
    Launch.watch = true;

    // Before frame n: write the file; at frame n: what must hold.
    struct Step {
        std::uint64_t frame;
        const char* file;
        std::string bytes;
        int topLeftTile;           // the grid's cell (0, 0) afterwards
        const char* problemStart;  // the overlay's reason afterwards ("" for none)
        int liveActors = 1;        // started again, never added to
        int cameraX = -1;          // the camera's view centre afterwards (-1: not looked at)
    };
    const std::string shortLevel = shipped.substr(0, 257 * 100);
    const int shippedTile = shipped[0] - 61;
    // The overlay names the first file still broken: the level before the pictures.
    const Step steps[] = {
        {5, "x2.lvl", edited, 0, ""},
        {10, "x2.lvl", shortLevel, 0, "Error loading level. The file has 100 lines"},
        {15, "gfx/tiles.bmp", "BM broken", 0, "Error loading level. The file has 100 lines"},
        {20, "x2.lvl", shipped, shippedTile, "tiles.bmp: the BMP header is truncated"},
        {25, "gfx/tiles.bmp", Read(game_run::DataFolder() / "gfx/tiles.bmp"), shippedTile, ""},
        // An actors file, new to the folder: its walkers replace the level's; a bad save keeps
        // them; a level saved afterwards starts them again where the file places them.
        {30, "x2.actors", "walker 100 100\nwalker 200 100\n", shippedTile, "", 2},
        {35, "x2.actors", "walker 100\n", shippedTile, "x2.actors: line 1: expected KIND X Y", 2},
        {40, "x2.lvl", shipped, shippedTile, "x2.actors: line 1: expected KIND X Y", 2},
        {45, "x2.actors", "# one\nwalker 300 125\n", shippedTile, "", 1},
        // A picture the folder did not have at start.
        {50, "gfx/bigben.bmp", "BM broken", shippedTile, "bigben.bmp: the BMP header is truncated"},
        {55, "gfx/bigben.bmp", Read(game_run::DataFolder() / "gfx/bigben.bmp"), shippedTile, ""},
        // Tiled's Play: the view it asks for moves the camera; a game marks the folder it watches.
        {60, ".vorn7-view", "1234 2345\n", shippedTile, "", 1, 1234},
        {65, ".vorn7-view", "nowhere", shippedTile, ".vorn7-view: not X Y", 1, 1234},
        // A saved actors file that brings a player and a goal: their pictures load then; Play
        // then puts the player where Tiled looks, and the camera on it.
        {70, "x2.actors", "walker 300 125\nplayer 1000 1000\ngoal 2000 1000\n", shippedTile,
         ".vorn7-view: not X Y", 3},
        {75, ".vorn7-view", "3000 1500\n", shippedTile, "", 3, 3000},
        {80, "gfx/player.bmp", "BM broken", shippedTile, "player.bmp: the BMP header is truncated",
         3, 3000},
    };
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(85);
    std::size_t next = 0;
    testing::internal::CaptureStderr();
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (next > 0 && f.frameNumber == steps[next - 1].frame + 1) {
                const Step& s = steps[next - 1];
                EXPECT_EQ(TheWorld.TileGridRef().At(0, 0).tileIndex, s.topLeftTile)
                    << s.file << " at " << s.frame;
                const std::string problem = ReloadProblem();
                EXPECT_NE(problem.find(s.problemStart), std::string::npos)
                    << s.frame << ": " << problem;
                if (s.problemStart[0] == '\0') {
                    EXPECT_EQ(problem, "");
                }
                EXPECT_EQ(TheWorld.Actors()->LiveCount(), s.liveActors)
                    << s.file << " at " << s.frame;
                if (s.cameraX >= 0) {
                    EXPECT_EQ(Camera.x, s.cameraX) << s.file << " at " << s.frame;
                }
            }
            if (next < std::size(steps) && f.frameNumber == steps[next].frame) {
                Write(folder / steps[next].file, steps[next].bytes);
                ++next;
            }
        });
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.frames, 85u);
    EXPECT_FALSE(fs::exists(folder / ".vorn7-watching")) << "the mark goes with the game";
    EXPECT_EQ(next, std::size(steps));
    EXPECT_NE(said.find("x2.lvl: Error loading level. The file has 100 lines; a level needs 256."),
              std::string::npos)
        << said;
    fs::remove_all(folder);
}

// The watched folder renamed under the game: a save in it does not swap in the game's own data;
// the level shown stays and the overlay says the folder is gone.
TEST(LiveReload, ARenamedFolderKeepsTheLevelShownAndSaysSo) {
    const fs::path folder = NewFolder("renamed");
    const fs::path moved = folder.string() + "-moved";
    fs::remove_all(moved);
    const std::string edited = EditedLevel();
    Write(folder / "x2.lvl", edited);
    data_path::SetLevelFolder(folder.string());
    Launch.watch = true;
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(30);
    std::string problem;
    int tile = -1;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber == 5) fs::rename(folder, moved);
            if (f.frameNumber == 10) Write(moved / "x2.lvl", edited + "\n");
            if (f.frameNumber == 25) {
                problem = ReloadProblem();
                tile = TheWorld.TileGridRef().At(0, 0).tileIndex;
            }
        });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(tile, 0) << "the level shown stays";
    EXPECT_NE(problem.find("the level folder is gone (renamed, moved or deleted)"),
              std::string::npos)
        << problem;
    fs::remove_all(moved);
    fs::remove_all(folder);
}

// One game a folder holds the mark: a live game's mark is left alone, and taken back when it goes;
// a level file deleted from the folder keeps the level shown instead of the game's own.
TEST(LiveReload, OneGameHoldsTheMarkAndADeletedFileKeepsTheLevelShown) {
    const fs::path folder = NewFolder("mark");
    const std::string edited = EditedLevel();
    Write(folder / "x2.lvl", edited);
    Write(folder / ".vorn7-watching", "1\n");  // another game, alive: the first process
    data_path::SetLevelFolder(folder.string());
    Launch.watch = true;
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(30);
    std::string heldAtStart, heldAfter, problem;
    int tile = -1;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            if (f.frameNumber == 3) heldAtStart = Read(folder / ".vorn7-watching");
            if (f.frameNumber == 5) fs::remove(folder / ".vorn7-watching");  // that game ended
            if (f.frameNumber == 10) heldAfter = Read(folder / ".vorn7-watching");
            if (f.frameNumber == 12) fs::remove(folder / "x2.lvl");
            if (f.frameNumber == 20) {
                problem = ReloadProblem();
                tile = TheWorld.TileGridRef().At(0, 0).tileIndex;
            }
        });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(heldAtStart, "1\n") << "a live game's mark is its own";
    EXPECT_EQ(heldAfter, std::to_string(::getpid()) + "\n") << "taken back when it went";
    EXPECT_EQ(tile, 0) << "the level shown stays";
    EXPECT_NE(problem.find("x2.lvl: gone from the level folder"), std::string::npos) << problem;
    EXPECT_FALSE(fs::exists(folder / ".vorn7-watching")) << "this game's mark goes with it";
    fs::remove_all(folder);
}

// A level saved while start-up reads the pictures (after it read the level) is on screen from
// the first frames: nothing saved between reading and watching is missed.
TEST(LiveReload, ASaveWhileStartUpReadsIsLoaded) {
    const fs::path folder = NewFolder("early");
    Write(folder / "x2.lvl", Read(game_run::DataFolder() / "x2.lvl"));
    data_path::SetLevelFolder(folder.string());
    Launch.watch = true;
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(6);
    bool saved = false;
    test_seams::SetFileOpenObserver([&](const char* name) {
        if (!saved && std::string(name) == kWalkerSheetFile) {
            Write(folder / "x2.lvl", EditedLevel());
            saved = true;
        }
    });
    int tile = -1;
    game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
        if (f.frameNumber == 3) tile = TheWorld.TileGridRef().At(0, 0).tileIndex;
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(tile, 0) << "the level saved during start-up is the one shown";
    fs::remove_all(folder);
}

}  // namespace
