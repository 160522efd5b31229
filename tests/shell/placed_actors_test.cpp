// A level folder's x2.actors, played: the camera starts at its start, and each walker is drawn
// where the file places it, in the file's order.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "actors/actor_manager.h"
#include "actors/player.h"
#include "actors/sprite_kind.h"
#include "display/display.h"
#include "game_run.h"
#include "platform/files/data_path.h"
#include "shell/camera.h"
#include "shell/command_line.h"
#include "world/world.h"

namespace {

namespace fs = std::filesystem;

TEST(PlacedActors, WalkersAreDrawnWhereTheFilePlacesThemAndTheCameraStartsAtItsStart) {
    const fs::path folder =
        fs::temp_directory_path() / ("vorn7-actors-" + std::to_string(getpid()));
    fs::create_directories(folder);
    // The view is 800 x 600 around (2000, 2000): its top-left is world (1600, 1700); the walkers
    // stand below the overlay.
    std::ofstream(folder / "x2.actors") << "# three walkers and the start\n"
                                           "walker 1700 1950\nwalker 2100 1750\nstart 2000 2000\n"
                                           "walker 1650 2150\n";
    data_path::SetLevelFolder(folder.string());
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(1);
    int checked = 0;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            // The first frame: no time has passed, so each walker stands where it was placed.
            const ActorManager& actors = *TheWorld.Actors();
            ASSERT_EQ(actors.LiveCount(), 3);
            const int placed[3][2] = {{1700, 1950}, {2100, 1750}, {1650, 2150}};
            const IDirectDrawSurface& sprite = *actors.KindObject(0)->Strip()->FrameSurface(0);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(actors.LiveActor(i)->X(), placed[i][0]);
                EXPECT_EQ(actors.LiveActor(i)->Y(), placed[i][1]);
                // Every opaque pixel of the walker's first frame is in the frame at its place.
                const int left = placed[i][0] - 1600, top = placed[i][1] - 1700;
                int differ = 0, opaque = 0;
                for (int y = 0; y < 64; ++y)
                    for (int x = 0; x < 64; ++x) {
                        std::uint32_t s = 0, d = 0;
                        std::memcpy(&s, sprite.pixels() + y * sprite.pitch() + x * 4, 4);
                        std::memcpy(&d, f.pixels + (top + y) * f.pitch + (left + x) * 4, 4);
                        if (s == TransparentColour) continue;
                        ++opaque;
                        differ += s != d;
                    }
                EXPECT_GT(opaque, 500) << "walker " << i;
                EXPECT_EQ(differ, 0) << "walker " << i;
                ++checked;
            }
        });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(checked, 3);
    EXPECT_EQ(Camera.x, 2000);
    EXPECT_EQ(Camera.y, 2000);
    data_path::SetLevelFolder("");
    fs::remove_all(folder);
}

// vorn7 --at with a level that has a player: the player plays from there, with its frame's
// middle at the point, and the camera starts on it; the level's own start is not used.
TEST(PlacedActors, AtPlacesTheLevelsPlayerAndTheCameraStartsOnIt) {
    data_path::SetLevelFolder((game_run::DataFolder() / kShippedLevels / "first-run").string());
    Launch.startAtGiven = true;
    Launch.startX = 3000;
    Launch.startY = 600;
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(1);
    const game_run::Result r = game_run::Run(game_run::DataFolder());
    EXPECT_EQ(r.exitCode, 0);
    const Player* p = TheWorld.Actors()->ThePlayer();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->StartX(), 3000 - 16);
    EXPECT_EQ(p->StartY(), 600 - 24);
    EXPECT_EQ(Camera.x, 3000);
    EXPECT_LT(std::abs(Camera.y - 600), 4);
    data_path::SetLevelFolder("");
}

}  // namespace
