// The generated pictures and levels: formats, sizes, see-through pixels where intended only,
// closed world edges, and byte-identical output on every run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "actors/actor_manager.h"
#include "actors/sprite_constants.h"
#include "game_run.h"
#include "graphics/bitmap.h"
#include "graphics/picture_layout.h"
#include "platform/pictures/gdi.h"
#include "world/actors_file.h"
#include "world/world.h"

namespace {

const std::filesystem::path kData = VORN7_DATA_DIR;

struct Picture {
    HANDLE handle;
    BITMAP info;
    HDC dc;
    explicit Picture(const std::filesystem::path& path) {
        handle = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                            LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        info = {};
        if (handle) GetObjectA(handle, sizeof(BITMAP), &info);
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, handle);
    }
    ~Picture() {
        DeleteDC(dc);
        if (handle) DeleteObject(handle);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

constexpr COLORREF kKey = RGB(189, 198, 255);

double Distance(COLORREF a, COLORREF b) {
    const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
              db = GetBValue(a) - GetBValue(b);
    return std::sqrt(dr * dr + dg * dg + db * db);
}

// Every pixel is the key exactly or lies well away from it.
void ExpectNoNearKey(const Picture& p, const char* name) {
    for (int y = 0; y < p.info.bmHeight; ++y)
        for (int x = 0; x < p.info.bmWidth; ++x) {
            const COLORREF c = p.At(x, y);
            if (c == kKey) continue;
            ASSERT_GT(Distance(c, kKey), 24.0) << name << " at " << x << "," << y;
        }
}

// Loads through the program's own picture path, at least the layout's size, in the stated depth.
void ExpectPicture(const Picture& p, int minWidth, int minHeight, int bitsPerPixel,
                   const char* name) {
    ASSERT_NE(p.handle, nullptr) << name;
    EXPECT_GE(p.info.bmWidth, minWidth) << name;
    EXPECT_GE(p.info.bmHeight, minHeight) << name;
    EXPECT_EQ(p.info.bmBitsPixel, bitsPerPixel) << name;
    ExpectNoNearKey(p, name);
}

TEST(GeneratedPictures, SizesFormatsAndSeeThroughPixels) {
    const Picture tiles(kData / "gfx/tiles.bmp");
    ASSERT_NO_FATAL_FAILURE(ExpectPicture(tiles, 529, 133, 8, "tiles"));
    // Every slot holds something solid, and most hold see-through pixels too.
    int withHoles = 0;
    for (int slot = 0; slot < 64; ++slot) {
        const int k = slot / 4, r = slot % 4;
        int solid = 0, clear = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                (tiles.At(1 + 33 * k + x, 1 + 33 * r + y) == kKey ? clear : solid)++;
        EXPECT_GT(solid, 0) << "slot " << slot;
        withHoles += clear > 0;
    }
    EXPECT_GT(withHoles, 20);

    const Picture background(kData / "gfx/bigben.bmp");
    ASSERT_NO_FATAL_FAILURE(ExpectPicture(background, 1024, 768, 24, "background"));
    EXPECT_EQ(background.info.bmWidth, 1024);
    EXPECT_EQ(background.info.bmHeight, 768);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) ASSERT_NE(background.At(x, y), kKey) << x << "," << y;

    const Picture blocks(kData / "gfx/badguysprites2.bmp");
    ASSERT_NO_FATAL_FAILURE(ExpectPicture(blocks, 389, 129, 8, "blocks"));

    const Picture walker(kData / "vornsprites24bit.bmp");
    ASSERT_NO_FATAL_FAILURE(ExpectPicture(walker, 520, 130, 24, "walker"));
    // Walk frames: feet on row 63, the body within the columns the wall probes test.
    for (int i = 0; i < 8; ++i) {
        int feet = 0, minX = 64, maxX = -1;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                if (walker.At(1 + 65 * i + x, 1 + y) == kKey) continue;
                if (y == 63) ++feet;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        EXPECT_GT(feet, 0) << "frame " << i;
        EXPECT_GE(minX, 2) << "frame " << i;
        EXPECT_LE(maxX, 52) << "frame " << i;
    }
}

TEST(GeneratedPictures, TheActorsPicturesCoverTheirLayoutsWithAFigureInEveryCell) {
    const struct {
        const char* file;
        PictureGrid grid;
        int standing;  // the cells, from the left of each row, whose feet end on the bottom row
    } pictures[] = {{kPlayerSheetFile, kPlayerSheet, kPoseJump},
                    {kGoalPictureFile, kGoalPicture, 1}};
    for (const auto& p : pictures) {
        const std::string path = (kData / p.file).string();
        Bitmap bitmap;
        ASSERT_EQ(bitmap.Load(path.c_str()), 1) << p.file;
        EXPECT_EQ(CheckPictureCovers(bitmap, p.file, p.grid), 1) << p.file;
        const Picture picture(path);
        ASSERT_NO_FATAL_FAILURE(
            ExpectPicture(picture, p.grid.CoverWidth(), p.grid.CoverHeight(), 24, p.file));
        const PictureGrid& g = p.grid;
        for (int row = 0; row < g.rows; ++row)
            for (int column = 0; column < g.columns; ++column) {
                int opaque = 0, feet = 0;
                for (int y = 0; y < g.cellHeight; ++y)
                    for (int x = 0; x < g.cellWidth; ++x) {
                        if (picture.At(g.X(column) + x, g.Y(row) + y) == kKey) continue;
                        ++opaque;
                        feet += y == g.cellHeight - 1;
                    }
                EXPECT_GT(opaque, g.cellWidth * g.cellHeight / 8) << p.file << " " << column;
                if (column < p.standing) {
                    EXPECT_GT(feet, 0) << p.file << " " << column;
                }
            }
    }
    // Facing left is the mirror image of facing right, frame by frame.
    const Picture player(kData / kPlayerSheetFile);
    const PictureGrid& g = kPlayerSheet;
    for (int column = 0; column < g.columns; ++column)
        for (int y = 0; y < g.cellHeight; ++y)
            for (int x = 0; x < g.cellWidth; ++x)
                ASSERT_EQ(player.At(g.X(column) + x, g.Y(0) + y),
                          player.At(g.X(column) + g.cellWidth - 1 - x, g.Y(1) + y))
                    << column << ": " << x << "," << y;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(GeneratedLevels, FullGridsValidCharactersAndClosedEdges) {
    const auto tiles = ReadLines(kData / "x2.lvl");
    ASSERT_EQ(tiles.size(), 256u);
    for (const auto& line : tiles) {
        ASSERT_EQ(line.size(), 256u);
        for (char c : line) ASSERT_TRUE(c == '<' || (c >= '=' && c <= '|')) << static_cast<int>(c);
    }
    for (int i = 0; i < 256; ++i) {
        EXPECT_NE(tiles[static_cast<std::size_t>(i)][0], '<') << "left edge, row " << i;
        EXPECT_NE(tiles[static_cast<std::size_t>(i)][255], '<') << "right edge, row " << i;
        EXPECT_NE(tiles[255][static_cast<std::size_t>(i)], '<') << "bottom edge, column " << i;
    }
    const auto blocks = ReadLines(kData / "x2fg.lvl");
    ASSERT_EQ(blocks.size(), 256u);
    int placed = 0;
    for (const auto& line : blocks) {
        ASSERT_EQ(line.size(), 256u);
        for (char c : line) {
            ASSERT_TRUE(c == '<' || c == '=' || c == '>' || c == '?');
            placed += c != '<';
        }
    }
    EXPECT_GT(placed, 100);
    EXPECT_LT(placed, 256 * 256 / 20);  // sparse
}

TEST(GeneratedLevels, ThePlayLevelReadsAndItsActorsStandOnSolidGround) {
    const std::filesystem::path level = kData / "levels/first-run";
    auto tiles = std::make_unique<TileGrid>(), blocks = std::make_unique<TileGrid>();
    World::ReadLevelFile((level / "x2.lvl").c_str(), *tiles);
    World::ReadLevelFile((level / "x2fg.lvl").c_str(), *blocks);
    std::ifstream in(level / "x2.actors", std::ios::binary);
    const ActorsFile actors = ParseActorsText(
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));

    // Solid where the tile sheet's pixel of the cell's tile is not see-through.
    const Picture sheet(kData / kTilePictureFile);
    auto solid = [&](int x, int y) {
        const int tile = tiles->At(x / kTileSize, y / kTileSize).tileIndex;
        if (tile < 0 || tile >= kTileSlotCount) return false;
        return sheet.At(kTileSheet.X(tile / kTileSheet.rows) + x % kTileSize,
                        kTileSheet.Y(tile % kTileSheet.rows) + y % kTileSize) != kKey;
    };
    // Each kind: its frame's width, the row below its feet, how far above the ground it may be
    // placed (a walker drops onto its floor), and how many the level has.
    const struct {
        std::int32_t kind, width, feet, drop, least, most;
    } frames[] = {{kPlayerKind, kPlayerSheet.cellWidth, kPlayerSheet.cellHeight, 2, 1, 1},
                  {kGoalKind, kGoalPicture.cellWidth, kGoalPicture.cellHeight, 2, 1, 1},
                  {kWalkerKind, SpriteFrameWidth, SpriteFrameHeight + 1, kTileSize, 3, 256}};
    for (const auto& f : frames) {
        int count = 0;
        for (const ActorPlacement& a : actors.actors) {
            if (a.kind != f.kind) continue;
            ++count;
            int ground = a.y;
            while (ground < a.y + f.feet + f.drop + 1 && !solid(a.x + f.width / 2, ground))
                ++ground;
            EXPECT_GE(ground, a.y + f.feet) << "kind " << f.kind << " at " << a.x;
            EXPECT_LE(ground, a.y + f.feet + f.drop) << "kind " << f.kind << " at " << a.x;
        }
        EXPECT_GE(count, f.least) << "kind " << f.kind;
        EXPECT_LE(count, f.most) << "kind " << f.kind;
    }
}

TEST(GeneratedAssets, GeneratingTwiceGivesIdenticalBytes) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("vorn7-gen-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const std::string command = std::string(VORN7_ASSETGEN) + " " + dir.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name :
         {"x2.lvl", "x2fg.lvl", "gfx/tiles.bmp", "gfx/bigben.bmp", "gfx/badguysprites2.bmp",
          "vornsprites24bit.bmp", kPlayerSheetFile, kGoalPictureFile, "levels/first-run/x2.lvl",
          "levels/first-run/x2fg.lvl", "levels/first-run/x2.actors"}) {
        std::ifstream a(kData / name, std::ios::binary), b(dir / name, std::ios::binary);
        const std::string sa((std::istreambuf_iterator<char>(a)), std::istreambuf_iterator<char>());
        const std::string sb((std::istreambuf_iterator<char>(b)), std::istreambuf_iterator<char>());
        EXPECT_FALSE(sa.empty()) << name;
        EXPECT_EQ(sa, sb) << name;
    }
    std::filesystem::remove_all(dir);
}

TEST(GeneratedAssets, TheWalkerLandsAndPatrolsTheStartArea) {
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(3750);  // a minute of play
    int minX = 1 << 30, maxX = -1;
    bool onPlateau = false, onLowerGround = false, turnedAtPillar = false;
    const game_run::Result r = game_run::Run(kData, [&](const test_seams::FrameView&) {
        const Actor* w = TheWorld.Actors()->LiveActor(0);
        minX = std::min(minX, w->X());
        maxX = std::max(maxX, w->X());
        onPlateau |= w->Y() == 288 - 65 && w->Motion().velocityY == 0;
        onLowerGround |= w->Y() == 384 - 65 && w->Motion().velocityY == 0;
        turnedAtPillar |= w->X() > 650 && w->Motion().velocityX < 0;
    });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(onPlateau);       // it lands where it starts
    EXPECT_TRUE(turnedAtPillar);  // meets the pillar and turns
    EXPECT_TRUE(onLowerGround);   // falls from the ledge and lands below
    EXPECT_GE(minX, 0);
    EXPECT_LE(maxX + 45, 776);  // the wall probe meets the pillar; never through it
}

}  // namespace
