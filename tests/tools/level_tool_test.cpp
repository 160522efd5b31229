// The level tools' findings and refusals; the round trips against the real Tiled are in
// level_tool_test.sh.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "level_check.h"
#include "level_grid.h"
#include "tiled_import.h"
#include "whole_file.h"

namespace {

namespace fs = std::filesystem;
using level_tool::Finding;

std::string Lines(int count, const std::string& line, const std::string& end = "\n") {
    std::string s;
    for (int i = 0; i < count; ++i) s += line + end;
    return s;
}

TEST(LevelCheck, FindingsAsCompilersPrintThem) {
    const std::string row(256, '=');
    struct Case {
        const char* name;
        std::string bytes;
        bool blocks;
        std::vector<std::string> expected;  // "LINE:COLUMN: severity"
    };
    std::string shortLine = Lines(256, row);
    shortLine.replace(2 * 257, 256, std::string(10, '='));  // line 3: 10 characters
    std::string highTile = Lines(256, row);
    highTile[257 + 5] = '}';  // line 2, column 6: tile 64
    const std::vector<Case> cases = {
        {"valid", Lines(256, row), false, {}},
        {"255 lines", Lines(255, row), false, {"256:1: error"}},
        {"last line without a line feed", Lines(255, row) + row, false, {}},
        {"255 lines, the last without a line feed", Lines(254, row) + row, false, {"255:1: error"}},
        {"a short line", shortLine, false, {"3:11: warning"}},
        {"a tile the game shows as empty", highTile, false, {"2:6: warning"}},
        {"blocks above 2", Lines(256, std::string(256, '@')), true,
         std::vector<std::string>(256, "")},
        {"a byte-order mark", "\xEF\xBB\xBF" + Lines(256, row), false, {"1:1: warning"}},
        {"CR LF", Lines(256, row, "\r\n"), false, {"1:257: note"}},
        {"extra lines", Lines(300, row), false, {"257:1: note"}},
    };
    for (const Case& c : cases) {
        const std::vector<Finding> found = level_tool::CheckLevel(c.bytes, c.blocks);
        if (std::string(c.name) == "blocks above 2") {
            ASSERT_EQ(found.size(), 256u) << c.name;  // one a line, the rest counted in it
            EXPECT_STREQ(found[0].severity, "warning");
            EXPECT_NE(found[0].text.find("and 255 more"), std::string::npos) << found[0].text;
            continue;
        }
        std::vector<std::string> got;
        for (const Finding& f : found)
            got.push_back(std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
                          f.severity);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

class FromTiled : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() / ("vorn7-tmx-" + std::to_string(::getpid()));
    std::vector<std::string> warnings;
    void SetUp() override {
        fs::create_directories(dir);
        std::ofstream(dir / "tiles.tsx")
            << "<?xml version=\"1.0\"?>\n<tileset name=\"tiles\" tilewidth=\"32\" "
               "tileheight=\"32\" tilecount=\"64\" columns=\"16\">\n <image "
               "source=\"gfx/tiles.bmp\"/>\n</tileset>\n";
        std::ofstream(dir / "other.tsx")
            << "<tileset name=\"o\" tilewidth=\"32\"><image source=\"other.png\"/></tileset>";
    }
    void TearDown() override { fs::remove_all(dir); }
    // A 256 x 256 map of one tile, with parts that a case may change.
    std::string Map(const std::string& mapAttributes, const std::string& tileset,
                    const std::string& layers) {
        return "<?xml version=\"1.0\"?>\n<map orientation=\"orthogonal\" " + mapAttributes +
               ">\n <tileset firstgid=\"1\" source=\"" + tileset + "\"/>\n" + layers + "</map>\n";
    }
    std::string Layer(const std::string& firstCell = "1") {
        std::string csv;
        for (int i = 0; i < 256 * 256; ++i)
            csv += (i == 0 ? firstCell : "1") + std::string(i % 256 == 255 ? ",\n" : ",");
        csv.erase(csv.size() - 2, 1);  // no comma after the last cell
        return " <layer name=\"t\">\n  <data encoding=\"csv\">\n" + csv + "</data>\n </layer>\n";
    }
    std::string Convert(const std::string& tmx, std::string& message) {
        std::ofstream(dir / "m.tmx") << tmx;
        fs::remove(dir / "out.lvl");
        warnings.clear();
        std::string summary;
        const bool ok = level_tool::ImportFromTiled(
            (dir / "m.tmx").string(), (dir / "out.lvl").string(), summary, message, warnings);
        EXPECT_EQ(ok, fs::exists(dir / "out.lvl")) << "written only on success";
        return ok ? "ok" : message.substr(message.find("m.tmx"));
    }
};

TEST_F(FromTiled, RefusesWhatTheGameCannotShowWithFileLineAndReason) {
    const std::string size = "width=\"256\" height=\"256\" tilewidth=\"32\" tileheight=\"32\"";
    struct Case {
        const char* name;
        std::string tmx;
        std::string expected;  // the start of the message after the path
    };
    const std::vector<Case> cases = {
        {"valid", Map(size, "tiles.tsx", Layer()), "ok"},
        {"the wrong size",
         Map("width=\"100\" height=\"256\" tilewidth=\"32\" tileheight=\"32\"", "tiles.tsx",
             Layer()),
         "m.tmx:2: the map is 100 x 256 tiles"},
        {"the wrong tile size",
         Map("width=\"256\" height=\"256\" tilewidth=\"16\" tileheight=\"16\"", "tiles.tsx",
             Layer()),
         "m.tmx:2: tiles of 16 x 16"},
        {"an unknown tileset", Map(size, "other.tsx", Layer()),
         "m.tmx:3: a tileset the game does not know"},
        {"a flipped tile", Map(size, "tiles.tsx", Layer("2147483649")),
         "m.tmx:6: a flipped or rotated tile at column 0, row 0"},
        {"two layers", Map(size, "tiles.tsx", Layer() + Layer()),
         "m.tmx:264: several visible tile layers"},
        {"a tile not in the tileset", Map(size, "tiles.tsx", Layer("65")),
         "m.tmx:6: tile 65 is not in the game's tileset"},
        {"zstd",
         Map(size, "tiles.tsx",
             " <layer><data encoding=\"base64\" compression=\"zstd\">AAAA</data></layer>\n"),
         "m.tmx:4: layer compression \"zstd\" is not supported"},
        {"broken XML", "<map", "m.tmx:1: not valid XML"},
        {"a walker outside the world",
         Map(size, "tiles.tsx",
             Layer() + " <objectgroup name=\"actors\">\n  <object type=\"walker\" x=\"9000\" "
                       "y=\"5\"><point/></object>\n </objectgroup>\n"),
         "m.tmx:265: layer \"actors\": x 9000 is outside the world (0 to 8191)"},
        {"two starts",
         Map(size, "tiles.tsx",
             Layer() + " <objectgroup name=\"actors\">\n  <object class=\"start\" x=\"1\" "
                       "y=\"1\"><point/></object>\n  <object class=\"start\" x=\"2\" "
                       "y=\"2\"><point/></object>\n </objectgroup>\n"),
         "m.tmx:266: layer \"actors\": a second start"},
        {"two players",
         Map(size, "tiles.tsx",
             Layer() + " <objectgroup name=\"actors\">\n  <object type=\"goal\" x=\"5\" "
                       "y=\"5\"><point/></object>\n  <object type=\"player\" x=\"1\" "
                       "y=\"1\"><point/></object>\n  <object class=\"player\" x=\"2\" "
                       "y=\"2\"><point/></object>\n </objectgroup>\n"),
         "m.tmx:267: layer \"actors\": a second player (a level has one)"},
    };
    for (const Case& c : cases) {
        std::string message;
        EXPECT_EQ(Convert(c.tmx, message).rfind(c.expected, 0), 0u) << c.name << ": " << message;
    }
}

// Layers the level has no place for are left out with a warning naming file, line and layer;
// Tiled's JSON maps convert like TMX ones.
TEST_F(FromTiled, LayersLeftOutAreWarnedAboutAndJsonMapsConvert) {
    const std::string size = "width=\"256\" height=\"256\" tilewidth=\"32\" tileheight=\"32\"";
    std::string cells = "[";
    for (int i = 0; i < 256 * 256; ++i) cells += i == 0 ? "1" : ",1";
    cells += "]";
    const std::string json =
        "{\"orientation\": \"orthogonal\", \"infinite\": false, \"width\": 256,\n"
        "\"height\": 256, \"tilewidth\": 32, \"tileheight\": 32,\n"
        "\"tilesets\": [{\"firstgid\": 1, \"source\": \"tiles.tsx\"}],\n\"layers\": [\n"
        "{\"type\": \"objectgroup\", \"name\": \"spawns\", \"objects\": []},\n"
        "{\"type\": \"tilelayer\", \"name\": \"t\", \"visible\": true, \"data\": " +
        cells + "}]}\n";
    struct Case {
        const char* name;
        std::string map;
        std::string result;   // "ok" or the start of the message after the path
        std::string warning;  // the one warning after the path, or ""
    };
    const std::vector<Case> cases = {
        {"an object layer",
         Map(size, "tiles.tsx", " <objectgroup id=\"2\" name=\"spawns\"/>\n" + Layer()), "ok",
         "m.tmx:4: warning: layer \"spawns\": an object layer, not converted"},
        {"a hidden tile layer beside the visible one",
         Map(size, "tiles.tsx",
             " <layer name=\"draft\" visible=\"0\"><data "
             "encoding=\"csv\">2147483649</data></layer>\n" +
                 Layer()),
         "ok", "m.tmx:4: warning: layer \"draft\": a hidden tile layer, not converted"},
        {"only a hidden tile layer",
         Map(size, "tiles.tsx", " <layer name=\"draft\" visible=\"0\"></layer>\n"),
         "m.tmx: no visible tile layer", "m.tmx:4: warning: layer \"draft\""},
        {"a JSON map", json, "ok", "m.tmx:5: warning: layer \"spawns\": an object layer"},
        {"broken JSON", "{\"width\": ", "m.tmx: not valid JSON", ""},
        {"a JSON array", "[1, 2, 3]", "m.tmx: not a Tiled map or tileset (a JSON object)", ""},
        {"a width out of any range", std::string(json).replace(json.find("256"), 3, "1e300"),
         "m.tmx: the map is 1e+300 x 256 tiles, not 256 x 256", ""},
    };
    for (const Case& c : cases) {
        std::string message;
        EXPECT_EQ(Convert(c.map, message).rfind(c.result, 0), 0u) << c.name << ": " << message;
        ASSERT_EQ(warnings.size(), c.warning.empty() ? 0u : 1u) << c.name;
        if (!c.warning.empty()) {
            EXPECT_NE(warnings[0].find(c.warning), std::string::npos)
                << c.name << ": " << warnings[0];
        }
    }
}

// A JSON map the tool agrees to read (its 64 MiB bound) cannot take the machine's memory: one of
// ten million cells is refused by count, within 256 MB (the peak measured in a child process).
TEST_F(FromTiled, AHugeJsonLayerIsRefusedWithinBoundedMemory) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string json =
            "{\"orientation\": \"orthogonal\", \"width\": 256, \"height\": 256, \"tilewidth\": 32,"
            "\"tileheight\": 32, \"layers\": [{\"type\": \"tilelayer\", \"data\": [1";
        json.reserve(json.size() + 20'000'010);
        for (int i = 1; i < 10'000'000; ++i) json += ",1";
        json += "]}]}";
        std::string message;
        const std::string result = Convert(json, message);
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const bool refused = result.rfind("m.tmx: more than 1048576 JSON values", 0) == 0;
        ::_exit(refused && usage.ru_maxrss < 256 * 1024 ? 0 : (refused ? 2 : 3));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: over 256 MB at its peak; 3: not refused as expected";
}

// What the tool reads is a regular file of bounded size; what it writes appears whole or not at
// all, nothing left beside it.
TEST(WholeFile, RefusesWhatItCannotReadAndLeavesNothingHalfWritten) {
    const fs::path dir = fs::temp_directory_path() / ("vorn7-whole-" + std::to_string(::getpid()));
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "small") << "abc";
    { std::ofstream(dir / "huge"); }
    fs::resize_file(dir / "huge", level_tool::kMaxFileBytes + 1);  // sparse: no disk used
    struct Case {
        const char* name;
        fs::path path;
        const char* reason;  // "" when it reads
    };
    const Case cases[] = {{"a file", dir / "small", ""},
                          {"no file", dir / "none", "no such file"},
                          {"a folder", dir / "folder", "not a regular file"},
                          {"a file over the bound", dir / "huge", "larger than 64 MiB"}};
    for (const Case& c : cases) {
        std::string bytes, reason;
        EXPECT_EQ(level_tool::ReadWhole(c.path.string(), bytes, reason), *c.reason == 0) << c.name;
        EXPECT_EQ(reason, c.reason) << c.name;
    }
    std::string reason;
    EXPECT_TRUE(level_tool::WriteWhole((dir / "small").string(), "new", reason));
    std::string bytes;
    ASSERT_TRUE(level_tool::ReadWhole((dir / "small").string(), bytes, reason));
    EXPECT_EQ(bytes, "new");
    // Over a folder the rename fails: the folder stays and no temporary file is left.
    EXPECT_FALSE(level_tool::WriteWhole((dir / "folder").string(), "x", reason));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    fs::remove_all(dir);
}

}  // namespace
