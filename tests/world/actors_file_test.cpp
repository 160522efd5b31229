// The actors file's reader: what it places, and every line it refuses with its number and reason.
#include "world/actors_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files/data_path.h"

namespace {

TEST(ActorsFile, PlacesWalkersInOrderAndTheStart) {
    const ActorsFile file = ParseActorsText(
        "# the cave\r\nwalker 300 125  # by the pillar\r\n\n\tstart 4000\t2000\nwalker 0 8191");
    ASSERT_EQ(file.actors.size(), 2u);
    EXPECT_EQ(file.actors[0].x, 300);
    EXPECT_EQ(file.actors[0].y, 125);
    EXPECT_EQ(file.actors[1].x, 0);
    EXPECT_EQ(file.actors[1].y, 8191);
    EXPECT_TRUE(file.hasStart);
    EXPECT_EQ(file.startX, 4000);
    EXPECT_EQ(file.startY, 2000);
    EXPECT_TRUE(ParseActorsText("# nothing placed\n").actors.empty());
}

TEST(ActorsFile, APlayerAndAGoalArePlacedInTheFilesOrderBesideTheWalkers) {
    const ActorsFile file = ParseActorsText("goal 7000 400\nwalker 1 2\nplayer 64 96\n");
    ASSERT_EQ(file.actors.size(), 3u);
    EXPECT_EQ(file.actors[0].kind, kGoalKind);
    EXPECT_EQ(file.actors[1].kind, kWalkerKind);
    EXPECT_EQ(file.actors[2].kind, kPlayerKind);
    EXPECT_EQ(file.actors[2].x, 64);
    EXPECT_EQ(file.actors[2].y, 96);
    // The bound counts walkers alone: 256 of them and a player fit.
    std::string many;
    for (int i = 0; i < 256; ++i) many += "walker 1 1\n";
    EXPECT_EQ(ParseActorsText(many + "player 1 1\ngoal 2 2\n").actors.size(), 258u);
}

TEST(ActorsFile, RefusesALineWithItsNumberAndReason) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"walker 1 2 3",
         "line 1: expected KIND X Y (walker, player, goal or start, then two whole numbers)"},
        {"\nplayer",
         "line 2: expected KIND X Y (walker, player, goal or start, then two whole "
         "numbers)"},
        {"ghost 1 2", "line 1: unknown kind \"ghost\" (walker, player, goal or start)"},
        {"Player 1 2", "line 1: unknown kind \"Player\" (walker, player, goal or start)"},
        {"player 10 20\nwalker 1 1\nplayer 30 40", "line 3: a second player (a level has one)"},
        {"goal 1 1\ngoal 1 1", "line 2: a second goal (a level has one)"},
        {"goal 8192 0", "line 1: x 8192 is outside the world (0 to 8191)"},
        {"player 0 -5", "line 1: y -5 is outside the world (0 to 8191)"},
        {"walker 1.5 2", "line 1: \"1.5\" is not a whole number"},
        {"walker 1 99999999999999999999", "line 1: \"99999999999999999999\" is not a whole number"},
        {"walker -1 2", "line 1: x -1 is outside the world (0 to 8191)"},
        {"start 10 8192", "line 1: y 8192 is outside the world (0 to 8191)"},
        {"start 1 1\nstart 2 2", "line 2: a second start (a level has one)"},
    };
    for (const auto& c : cases) {
        try {
            ParseActorsText(c.text);
            ADD_FAILURE() << c.text << ": accepted";
        } catch (const ActorsFileError& e) {
            EXPECT_STREQ(e.what(), c.reason) << c.text;
        }
    }
}

TEST(ActorsFile, AMissingFileIsNoneAndAnOversizedOneIsRefusedUnread) {
    const auto folder = std::filesystem::temp_directory_path() / "vorn7-actors-file";
    std::filesystem::create_directories(folder);
    data_path::SetLevelFolder(folder.string());
    std::filesystem::remove(folder / kActorsFile);
    EXPECT_FALSE(ReadActorsFile(kActorsFile).has_value());
    std::ofstream(folder / kActorsFile) << std::string(kMaxActorsFileBytes + 1, '#');
    EXPECT_THROW(ReadActorsFile(kActorsFile), ActorsFileError);
    data_path::SetLevelFolder("");
    std::filesystem::remove_all(folder);
}

}  // namespace
