// Level files: format, line handling, failures, and where each character lands.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/seams/test_seams.h"
#include "world/level_error.h"
#include "world/world.h"

namespace {

std::filesystem::path Write(const std::string& content) {
    static int n = 0;
    const auto path =
        std::filesystem::temp_directory_path() /
        ("vorn7-level-" + std::to_string(::getpid()) + "-" + std::to_string(n++) + ".lvl");
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string Lines(int count, const std::string& line, const std::string& end = "\n") {
    std::string s;
    for (int i = 0; i < count; ++i) s += line + end;
    return s;
}

class LevelFile : public ::testing::Test {
  protected:
    std::unique_ptr<World> world = std::make_unique<World>();
    TileGrid& grid = world->TileGridMutable();
    int Index(int column, int row) { return grid.At(column, row).tileIndex; }
};

TEST_F(LevelFile, CharactersBecomeTileIndicesColumnMajor) {
    std::string first(256, '<');
    first[0] = '=';
    first[1] = '>';
    first[2] = '|';
    first[3] = static_cast<char>(233);
    first[4] = '}';
    std::string second(256, '<');
    second[0] = '?';
    const auto path = Write(first + "\n" + second + "\n" + Lines(254, std::string(256, '<')));
    EXPECT_EQ(world->ReadLevelFile(path.c_str(), grid), 1);
    EXPECT_EQ(Index(0, 0), 0);
    EXPECT_EQ(Index(1, 0), 1);
    EXPECT_EQ(Index(2, 0), 63);
    EXPECT_LT(Index(3, 0), 0);   // bytes of 128 and above are empty
    EXPECT_EQ(Index(4, 0), 64);  // stored as read; the look-ups treat it as empty
    EXPECT_EQ(Index(0, 1), 2);
    EXPECT_EQ(Index(5, 0), -1);
    // Column-major: element column * 256 + row.
    EXPECT_EQ(grid.cells[256].tileIndex, 1);
    EXPECT_EQ(grid.cells[1].tileIndex, 2);
    EXPECT_EQ(grid.cells[0].reserved0, 0);
    std::filesystem::remove(path);
}

TEST_F(LevelFile, LineEndingsLengthsAndCounts) {
    const std::string full(256, '=');
    // CRLF reads like LF; the last line may lack its line feed; extra lines and characters are
    // ignored.
    for (const std::string& content :
         {Lines(256, full, "\r\n"), Lines(255, full) + full, Lines(300, std::string(300, '='))}) {
        for (auto& c : grid.cells) c.tileIndex = 7;
        const auto path = Write(content);
        EXPECT_EQ(world->ReadLevelFile(path.c_str(), grid), 1);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(Index(255, i), 0) << i;
        std::filesystem::remove(path);
    }
    // Short lines: the missing positions are empty cells.
    const auto path = Write(Lines(256, "=========="));
    EXPECT_EQ(world->ReadLevelFile(path.c_str(), grid), 1);
    EXPECT_EQ(Index(9, 100), 0);
    EXPECT_EQ(Index(10, 100), -1);
    EXPECT_EQ(Index(255, 255), -1);
    std::filesystem::remove(path);
    // A 256-character line ending in CR LF keeps all 256; a CR past the 256th is ignored.
    const auto crlf = Write(Lines(256, std::string(255, '=') + ">", "\r\n"));
    EXPECT_EQ(world->ReadLevelFile(crlf.c_str(), grid), 1);
    EXPECT_EQ(Index(255, 0), 1);
    std::filesystem::remove(crlf);
}

TEST_F(LevelFile, MissingOrShortFilesRaiseTheLevelErrorKeepingRowsRead) {
    for (auto& c : grid.cells) c.tileIndex = 9;
    for (const std::string& content : {std::string(), Lines(255, std::string(256, '=')),
                                       Lines(254, std::string(256, '=')) + std::string(256, '=')}) {
        const auto path = Write(content);
        try {
            world->ReadLevelFile(path.c_str(), grid);
            ADD_FAILURE() << "no error for " << content.size() << " bytes";
        } catch (const LevelError& e) {
            EXPECT_STREQ(e.what(), "Error loading level.");
        }
        std::filesystem::remove(path);
    }
    EXPECT_EQ(Index(0, 0), 0);    // rows read before the failure keep their new values
    EXPECT_EQ(Index(0, 255), 9);  // the rest keep what they held
    EXPECT_THROW(world->ReadLevelFile("/nonexistent/x2.lvl", grid), LevelError);
}

TEST_F(LevelFile, FilesThatCannotBeReadRaiseTheLevelError) {
    const std::string valid = Lines(256, std::string(256, '='));
    const auto folder = Write("");
    std::filesystem::remove(folder);
    std::filesystem::create_directory(folder);
    const auto oversize = Write(valid + std::string(16 * 1024 * 1024, '\n'));
    const auto good = Write(valid);
    struct Case {
        const char* name;
        std::filesystem::path path;
        std::int64_t failReadAt;  // -1: no read error
    };
    for (const Case& c : {Case{"a directory", folder, -1}, Case{"over 16 MiB", oversize, -1},
                          Case{"a read error at byte 20000", good, 20000},
                          Case{"a read error at the start", good, 0}}) {
        test_seams::InjectedFaults().failFileReadAtByte = c.failReadAt;
        EXPECT_THROW(world->ReadLevelFile(c.path.c_str(), grid), LevelError) << c.name;
    }
    test_seams::InjectedFaults().failFileReadAtByte = -1;
    EXPECT_EQ(world->ReadLevelFile(good.c_str(), grid), 1);  // the same file, read whole
    for (const auto& p : {folder, oversize, good}) std::filesystem::remove(p);
}

TEST_F(LevelFile, AByteOrderMarkAtTheStartIsSkipped) {
    std::string first(256, '<');
    first[0] = '>';
    const auto path = Write("\xEF\xBB\xBF" + first + "\n" + Lines(255, "\xEF\xBB\xBF"));
    EXPECT_EQ(world->ReadLevelFile(path.c_str(), grid), 1);
    EXPECT_EQ(Index(0, 0), 1);
    EXPECT_EQ(Index(1, 0), -1);
    EXPECT_EQ(Index(0, 1), static_cast<signed char>('\xEF') - 61);  // only at the very start
    std::filesystem::remove(path);
}

TEST(CellLookups, CellsOffsetsAndPositionsOutsideTheGrids) {
    auto world = std::make_unique<World>();
    TileGrid& tiles = world->TileGridMutable();
    TileGrid& blocks = world->BlockGridMutable();
    tiles.At(0, 0).tileIndex = 5;
    tiles.At(1, 0).tileIndex = 6;
    tiles.At(0, 255).tileIndex = 7;
    tiles.At(2, 2).tileIndex = 64;
    blocks.At(2, 1).tileIndex = 2;
    EXPECT_EQ(world->CellAt(31, 0).tileIndex, 5);
    EXPECT_EQ(world->CellAt(32, 0).tileIndex, 6);
    EXPECT_EQ(world->CellAt(0, 8191).tileIndex, 7);
    EXPECT_EQ(world->CellAt(70, 70).tileIndex, -1);  // 64 and above have no slot: empty
    EXPECT_EQ(world->GridCellAt(300, 130, 128, 128).tileIndex, 2);
    const CellPosition offset = world->CellOffset(70, 33);
    EXPECT_EQ(offset.x, 6);
    EXPECT_EQ(offset.y, 1);
    EXPECT_EQ(world->CellOffset(-5, -33).x, -5);
    EXPECT_EQ(world->CellOffset(-5, -33).y, -1);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {8192, 0}, {0, 8192}, {INT32_MIN, INT32_MAX}})
        EXPECT_EQ(world->CellAt(x, y).tileIndex, -1) << x << "," << y;
    EXPECT_EQ(world->GridCellAt(32768, 0, 128, 128).tileIndex, -1);
    EXPECT_EQ(world->GridCellAt(-1, 0, 128, 128).tileIndex, -1);
}

TEST(CellLookups, GridsStartAtTileZero) {
    auto world = std::make_unique<World>();
    EXPECT_EQ(world->CellAt(100, 100).tileIndex, 0);
    EXPECT_EQ(world->GridCellAt(100, 100, 128, 128).tileIndex, 0);
}

}  // namespace
