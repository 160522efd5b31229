#include "play_level.h"

#include <cstdio>

#include "actors/sprite_constants.h"
#include "canvas.h"
#include "tile_slots.h"
#include "world/map_types.h"

namespace assetgen {
namespace {

constexpr int kSide = kGridSide;
constexpr int kTile = kTileSheet.cellWidth;
constexpr int kNoGround = -1;

// The ground, left to right: each stretch's columns and the row of its surface. A column in no
// stretch is a pit, open down to the world's bottom, so falling in sends the player back.
struct Stretch {
    int first, last, surface;
    bool stone;
};
constexpr Stretch kGround[] = {
    {2, 21, 30, false},   // the start
    {24, 41, 30, false},  // the first walker's patrol
    {42, 49, 28, false},
    // The widest gap lands two rows lower, for the longer flight; the climb starts there, in
    // steps two rows high and three columns deep.
    {53, 56, 30, true},
    {57, 59, 28, true},
    {60, 62, 26, true},
    {63, 65, 24, true},
    {66, 68, 22, true},
    {69, 71, 20, true},
    {72, 95, 18, false},  // the high plateau
    {98, 106, 18, false},
    {107, 110, 21, false},  // down again, three rows at a drop
    {111, 114, 24, false},
    {115, 138, 27, false},
    {141, 146, 27, false},
    {147, kSide - 2, 25, false},  // on to the goal, and the tower that closes the run
};

// Each walker patrols between two crates, which turn it, so it never wanders off its stretch.
struct Patrol {
    int leftCrate, rightCrate;
};
constexpr Patrol kPatrols[] = {{27, 38}, {75, 92}, {118, 135}, {149, 164}};

constexpr int kPlayerColumn = 8;
constexpr int kGoalColumn = 180;
constexpr int kTowerFirst = 186, kTowerLast = 189, kTowerHeight = 13;  // beyond any jump

// Floating islands well above the reach of a jump: scenery only.
struct Island {
    int first, row, width;
};
constexpr Island kIslands[] = {{9, 20, 5}, {31, 21, 4}, {78, 9, 5}, {121, 18, 6}, {155, 16, 4}};

int SurfaceAt(int column) {
    for (const Stretch& s : kGround)
        if (column >= s.first && column <= s.last) return s.surface;
    return kNoGround;
}

bool StoneAt(int column) {
    for (const Stretch& s : kGround)
        if (column >= s.first && column <= s.last) return s.stone;
    return false;
}

class Grid {
  public:
    Grid() : lines_(kSide, std::string(kSide, '<')) {}
    void Set(int c, int r, int tile) {
        lines_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
            static_cast<char>(tile + 61);
    }
    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    std::vector<std::string> lines_;
};

// Every column of ground is solid from its surface to the bottom: grass over dirt over stone, or
// mossy stone on the climb. The world's edges are walls up to the sky.
void LayGround(Grid& g) {
    for (int c = 0; c < kSide; ++c) {
        const bool wall = c < 2 || c == kSide - 1;
        const int s = wall ? 0 : SurfaceAt(c);
        if (s == kNoGround) continue;
        const bool stone = wall || StoneAt(c);
        for (int r = s; r < kSide - 1; ++r) {
            const int depth = r - s;
            int tile = kStone;
            if (depth == 0 && !wall)
                tile = stone ? kStoneTop : kGrassTop;
            else if (depth < 4 && !stone)
                tile = Noise(c, r, 501) > 0.85 ? kDirtStones : kDirt;
            else if (depth < 8 && !stone)
                tile = kDirtDeep;
            else if (Noise(c, r, 502) > 0.97)
                tile = kOre;
            g.Set(c, r, tile);
        }
        g.Set(c, kSide - 1, kBedrock);
    }
}

void PlaceCrates(Grid& g) {
    for (const Patrol& p : kPatrols)
        for (int c : {p.leftCrate, p.rightCrate}) g.Set(c, SurfaceAt(c) - 1, kCrate);
}

// A brick tower behind the goal, with battlements and windows.
void PlaceTower(Grid& g) {
    const int s = SurfaceAt(kTowerFirst), top = s - kTowerHeight;
    for (int c = kTowerFirst; c <= kTowerLast; ++c) {
        for (int r = top; r < s; ++r) {
            const bool window = (c == kTowerFirst + 1 || c == kTowerLast - 1) && (s - r) % 4 == 2;
            g.Set(c, r, r == top ? kBrickTop : (window ? kBrickWindow : kBrick));
        }
        if (c == kTowerFirst || c == kTowerLast) g.Set(c, top - 1, kBrickTop);
    }
}

void PlaceScenery(Grid& g) {
    for (const Island& i : kIslands) {
        g.Set(i.first, i.row, kIslandLeft);
        for (int c = i.first + 1; c < i.first + i.width - 1; ++c) g.Set(c, i.row, kIsland);
        g.Set(i.first + i.width - 1, i.row, kIslandRight);
        if (i.width >= 5) g.Set(i.first + i.width / 2, i.row - 1, kBush);
    }
    // Trees beyond the tower, seen from the goal.
    for (int c : {kTowerLast + 5, kTowerLast + 11}) {
        const int s = SurfaceAt(c);
        for (int r = s - 3; r < s; ++r) g.Set(c, r, kTrunk);
        for (int dc = -1; dc <= 1; ++dc)
            for (int r = s - 5; r < s - 3; ++r) g.Set(c + dc, r, kCanopy);
    }
}

// "KIND X Y": the top-left corner of a frame of the given height standing `above` pixels over
// the ground of its column.
std::string Place(const char* kind, int column, int frameHeight, int above) {
    char line[64];
    std::snprintf(line, sizeof line, "%s %d %d\n", kind, column * kTile,
                  SurfaceAt(column) * kTile - frameHeight - above);
    return line;
}

std::string Actors() {
    std::string text =
        "# First run: from the start over four gaps, past four walkers and up the climb to the "
        "goal.\n";
    text += Place("player", kPlayerColumn, kPlayerSheet.cellHeight, 0);
    // A walker starts a tile above its ground and drops onto it.
    for (const Patrol& p : kPatrols)
        text += Place("walker", (p.leftCrate + p.rightCrate) / 2 - 1, SpriteFrameHeight, kTile);
    text += Place("goal", kGoalColumn, kGoalPicture.cellHeight, 0);
    // The view starts centred on the player.
    char start[64];
    std::snprintf(start, sizeof start, "start %d %d\n",
                  kPlayerColumn * kTile + kPlayerSheet.cellWidth / 2,
                  SurfaceAt(kPlayerColumn) * kTile - kPlayerSheet.cellHeight / 2);
    return text + start;
}

}  // namespace

PlayLevel MakePlayLevel() {
    Grid g;
    LayGround(g);
    PlaceCrates(g);
    PlaceTower(g);
    PlaceScenery(g);
    // No foreground blocks: nothing passes in front of the play.
    return {g.Lines(), std::vector<std::string>(kSide, std::string(kSide, '<')), Actors()};
}

}  // namespace assetgen
