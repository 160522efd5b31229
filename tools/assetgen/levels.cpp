#include "levels.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "canvas.h"
#include "tile_slots.h"

namespace assetgen {
namespace {

constexpr int kSide = 256;
constexpr int kEmpty = -1;

class Grid {
  public:
    Grid() { cells_.fill(kEmpty); }
    int Get(int c, int r) const {
        if (c < 0 || r < 0 || c >= kSide || r >= kSide) return kBedrock;
        return cells_[static_cast<std::size_t>(r * kSide + c)];
    }
    void Set(int c, int r, int tile) {
        if (c < 0 || r < 0 || c >= kSide || r >= kSide) return;
        cells_[static_cast<std::size_t>(r * kSide + c)] = tile;
    }
    bool Empty(int c, int r) const { return Get(c, r) == kEmpty; }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int r = 0; r < kSide; ++r) {
            std::string line;
            for (int c = 0; c < kSide; ++c) line += static_cast<char>(Get(c, r) + 61);
            lines.push_back(line);
        }
        return lines;
    }

  private:
    std::array<int, kSide * kSide> cells_;
};

// A small deterministic generator for the level's random choices.
class Rng {
  public:
    explicit Rng(std::uint32_t start) : state_(start) {}
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    bool Chance(int percent) { return Range(0, 99) < percent; }

  private:
    std::uint32_t state_;
};

// The surface height (the row of the topmost ground tile) of every column.
std::array<int, kSide> Heights(Rng& rng) {
    std::array<int, kSide> h{};
    // The start area: low ground on the left, then the plateau the walker lands on, three tiles
    // higher: a short fall, so it lands cleanly.
    for (int c = 0; c < 8; ++c) h[static_cast<std::size_t>(c)] = 12;
    for (int c = 8; c < 30; ++c) h[static_cast<std::size_t>(c)] = 9;
    int c = 30, height = 9;
    while (c < kSide - 1) {
        const int length = rng.Range(4, 11);
        for (int i = 0; i < length && c < kSide - 1; ++i, ++c)
            h[static_cast<std::size_t>(c)] = height;
        // Gentle steps (one row: a ramp) are common, cliffs rarer; big hills and valleys follow a
        // slow wave across the world.
        const double wave = std::sin(c / 23.0) * 0.6 + std::sin(c / 9.0 + 1) * 0.4;
        const int target = 16 + static_cast<int>(wave * 9);
        int step = target > height ? 1 : (target < height ? -1 : (rng.Chance(50) ? 1 : -1));
        if (rng.Chance(25)) step *= rng.Range(2, 4);
        height = std::clamp(height + step, 6, 30);
    }
    h[kSide - 1] = h[kSide - 2];
    return h;
}

void DigCave(Grid& g, Rng& rng, int c, int r, int length) {
    int dir = rng.Chance(50) ? 1 : -1;
    for (int i = 0; i < length; ++i) {
        const int radius = rng.Range(1, 2);
        for (int dc = -radius; dc <= radius; ++dc)
            for (int dr = -1; dr <= radius; ++dr)
                if (c + dc > 0 && c + dc < kSide - 1 && r + dr > 0 && r + dr < kSide - 2)
                    g.Set(c + dc, r + dr, kEmpty);
        c += dir;
        if (rng.Chance(30)) r += rng.Range(-1, 1);
        if (rng.Chance(6)) dir = -dir;
        r = std::clamp(r, 28, 248);
        c = std::clamp(c, 3, kSide - 4);
    }
}

void PlaceIsland(Grid& g, int c, int r, int width) {
    g.Set(c, r, kIslandLeft);
    for (int i = 1; i < width - 1; ++i) g.Set(c + i, r, kIsland);
    g.Set(c + width - 1, r, kIslandRight);
}

void PlaceHouse(Grid& g, int c, int ground, int width, int height) {
    for (int dc = 0; dc < width; ++dc)
        for (int dr = 1; dr <= height; ++dr) {
            const bool wall = dc == 0 || dc == width - 1;
            int tile = kBrick;
            if (dr == height)
                tile = kBrickTop;
            else if (!wall && dr == height - 1 && dc == 1)
                tile = kBrickArchLeft;
            else if (!wall && dr == height - 1 && dc == width - 2)
                tile = kBrickArchRight;
            else if (!wall && dr < height - 1)
                tile = kEmpty;  // an open hall inside
            else if (wall && dr == 2)
                tile = kBrickWindow;
            g.Set(c + dc, ground - dr, tile);
        }
}

void PlaceTree(Grid& g, int c, int ground, int height) {
    for (int dr = 1; dr <= height; ++dr) g.Set(c, ground - dr, kTrunk);
    for (int dc = -1; dc <= 1; ++dc)
        for (int dr = height; dr <= height + 1; ++dr) g.Set(c + dc, ground - dr, kCanopy);
}

// Ground: grass over dirt over stone, ore here and there.
void LayGround(Grid& g, Rng& rng, const std::array<int, kSide>& h) {
    for (int c = 1; c < kSide - 1; ++c) {
        const int s = h[static_cast<std::size_t>(c)];
        // The layers' depths wander from column to column, so the ground does not look banded.
        const int dirt = 3 + static_cast<int>(SmoothNoise1D(c / 3.0, 71) * 3);
        const int deep = dirt + 2 + static_cast<int>(SmoothNoise1D(c / 4.0, 72) * 4);
        const int rock = deep + 2 + static_cast<int>(SmoothNoise1D(c / 5.0, 73) * 4);
        for (int r = s; r < kSide - 1; ++r) {
            const int depth = r - s;
            int tile = kStone;
            if (depth == 0)
                tile = kGrassTop;
            else if (depth < dirt)
                tile = rng.Chance(12) ? kDirtStones : kDirt;
            else if (depth < deep)
                tile = rng.Chance(30) ? kDirtStones : kDirtDeep;
            else if (depth < rock)
                tile = rng.Chance(20) ? kStone : kDirtDeep;
            else if (rng.Chance(3))
                tile = kOre;
            g.Set(c, r, tile);
        }
    }
}

// Ramps on single-row steps, cliff faces on larger ones.
void ShapeSteps(Grid& g, Rng&, const std::array<int, kSide>& h) {
    for (int c = 1; c < kSide - 2; ++c) {
        const int a = h[static_cast<std::size_t>(c)], b = h[static_cast<std::size_t>(c + 1)];
        if (b == a - 1 && c >= 2 && h[static_cast<std::size_t>(c - 1)] == a) {
            g.Set(c - 1, a - 1, kGrassRampUpLow);
            g.Set(c, a - 1, kGrassRampUpHigh);
        } else if (b == a + 1 && c + 2 < kSide - 1 && h[static_cast<std::size_t>(c + 2)] == b) {
            g.Set(c + 1, a, kGrassRampDownHigh);
            g.Set(c + 2, a, kGrassRampDownLow);
        } else if (b < a - 1) {
            g.Set(c + 1, b, kGrassEdgeLeft);
            for (int r = b + 1; r < a; ++r) g.Set(c + 1, r, kStoneFaceLeft);
        } else if (b > a + 1) {
            g.Set(c, a, kGrassEdgeRight);
            for (int r = a + 1; r < b; ++r) g.Set(c, r, kStoneFaceRight);
        }
    }
}

// The start area's pillar, which turns the walker back towards the ledge.
void PlaceStartPillar(Grid& g, Rng&, const std::array<int, kSide>&) {
    for (int r = 6; r < 9; ++r) {
        g.Set(24, r, r == 6 ? kPillarTop : kPillar);
        g.Set(25, r, r == 6 ? kStoneTop : kStone);
    }
}

// A cave under the plateau, in the first view: crystals, a mushroom, stalactites.
void DigStartCave(Grid& g, Rng&, const std::array<int, kSide>&) {
    for (int c = 11; c <= 21; ++c)
        for (int r = 15; r <= 17; ++r) g.Set(c, r, kEmpty);
    for (int c = 11; c <= 21; ++c) {
        g.Set(c, 14, kCaveCeiling);
        g.Set(c, 18, kStoneTop);
    }
    for (int r = 15; r <= 17; ++r) {
        g.Set(10, r, kStoneFaceLeft);
        g.Set(22, r, kStoneFaceRight);
    }
    g.Set(13, 15, kStalactite);
    g.Set(18, 15, kStalactite);
    g.Set(12, 17, kCrystal);
    g.Set(16, 17, kMushroomStem);
    g.Set(16, 16, kMushroomCap);
    g.Set(20, 17, kStalagmite);
    PlaceIsland(g, 14, 3, 5);
    g.Set(16, 2, kBush);
    PlaceIsland(g, 3, 6, 3);
}

// Caves and tunnels underground: long winding tunnels and some large caverns.
void DigTunnelsAndCaverns(Grid& g, Rng& rng, const std::array<int, kSide>&) {
    for (int i = 0; i < 180; ++i) {
        const int c = rng.Range(8, kSide - 9);
        const int r = rng.Range(34, 240);
        DigCave(g, rng, c, r, rng.Range(30, 150));
    }
    for (int i = 0; i < 30; ++i) {
        const int cx = rng.Range(12, kSide - 13), cy = rng.Range(45, 235);
        const int rx = rng.Range(4, 10), ry = rng.Range(3, 6);
        for (int r = cy - ry; r <= cy + ry; ++r)
            for (int c = cx - rx; c <= cx + rx; ++c) {
                const double dx = static_cast<double>(c - cx) / rx,
                             dy = static_cast<double>(r - cy) / ry;
                if (dx * dx + dy * dy <= 1.0 && c > 0 && c < kSide - 1 && r < kSide - 2)
                    g.Set(c, r, kEmpty);
            }
    }
}

// Cave dressing: mossy floors, rough ceilings, stalactites, stalagmites and crystals.
void DressCaves(Grid& g, Rng& rng, const std::array<int, kSide>&) {
    for (int c = 1; c < kSide - 1; ++c)
        for (int r = 30; r < kSide - 2; ++r) {
            if (!g.Empty(c, r)) continue;
            const int below = g.Get(c, r + 1), above = g.Get(c, r - 1);
            if (below == kStone || below == kDirtDeep || below == kOre) {
                g.Set(c, r + 1, kStoneTop);
                if (rng.Chance(6))
                    g.Set(c, r, kStalagmite);
                else if (rng.Chance(4))
                    g.Set(c, r, kCrystal);
                else if (rng.Chance(3))
                    g.Set(c, r, kMushroomCap);
            }
            if ((above == kStone || above == kOre) && g.Empty(c, r)) {
                g.Set(c, r - 1, kCaveCeiling);
                if (rng.Chance(12) && g.Empty(c, r + 1)) g.Set(c, r, kStalactite);
            }
        }
}

// The sky: floating islands, plank bridges, girders.
void PlaceSkyPlatforms(Grid& g, Rng& rng, const std::array<int, kSide>& h) {
    for (int i = 0; i < 40; ++i) {
        const int c = rng.Range(32, kSide - 12);
        const int top = h[static_cast<std::size_t>(c)];
        if (top < 12) continue;
        const int r = rng.Range(3, top - 5);
        const int w = rng.Range(3, 8);
        bool clear = true;
        for (int dc = -1; dc <= w; ++dc)
            for (int dr = -2; dr <= 2; ++dr) clear = clear && g.Empty(c + dc, r + dr);
        if (!clear) continue;
        switch (i % 3) {
            case 0:
                PlaceIsland(g, c, r, w);
                if (w >= 5) PlaceTree(g, c + w / 2, r, 2);
                break;
            case 1:
                g.Set(c, r, kPlankLeft);
                for (int dc = 1; dc < w - 1; ++dc) g.Set(c + dc, r, kPlank);
                g.Set(c + w - 1, r, kPlankRight);
                break;
            default:
                for (int dc = 0; dc < w; ++dc) g.Set(c + dc, r, kGirder);
                g.Set(c, r + 1, kGirderColumn);
                g.Set(c + w - 1, r + 1, kGirderColumn);
                break;
        }
    }
}

// On the surface: ruins, trees, crates, fences, boulders and a few odd things.
void DressSurface(Grid& g, Rng& rng, const std::array<int, kSide>& h) {
    for (int c = 34; c < kSide - 8; c += rng.Range(5, 12)) {
        const int s = h[static_cast<std::size_t>(c)];
        bool flat = true;
        for (int dc = 0; dc < 5; ++dc)
            flat = flat && h[static_cast<std::size_t>(c + dc)] == s && g.Empty(c + dc, s - 1);
        if (!flat) continue;
        switch (rng.Range(0, 7)) {
            case 0:
                PlaceHouse(g, c, s, 5, 4);
                break;
            case 1:
                PlaceTree(g, c + 2, s, 3);
                break;
            case 2:
                g.Set(c + 1, s - 1, kCrate);
                g.Set(c + 2, s - 1, kCrateHalf);
                g.Set(c + 1, s - 2, kBarrel);
                break;
            case 3:
                for (int dc = 0; dc < 4; ++dc) g.Set(c + dc, s - 1, kFence);
                break;
            case 4:
                g.Set(c + 2, s - 1, kBoulder);
                g.Set(c + 3, s - 1, kBush);
                break;
            case 5:
                g.Set(c + 1, s - 1, kMushroomStem);
                g.Set(c + 1, s - 2, kMushroomCap);
                g.Set(c + 3, s - 1, kSignPost);
                break;
            case 6:  // a stepped stone stair with a pillar
                g.Set(c, s - 1, kStairsUp);
                g.Set(c + 1, s - 1, kBrick);
                g.Set(c + 1, s - 2, kStairsUp);
                g.Set(c + 2, s - 2, kBrickTop);
                g.Set(c + 2, s - 1, kBrick);
                g.Set(c + 3, s - 1, kStairsDown);
                break;
            default:
                g.Set(c + 1, s - 1, kPillarBase);
                g.Set(c + 1, s - 2, kPillar);
                g.Set(c + 1, s - 3, kPillarTop);
                break;
        }
    }
}

// A sandy, icy stretch far to the east, a stone overhang and a cave window.
void PlaceEastStretch(Grid& g, Rng&, const std::array<int, kSide>& h) {
    for (int c = 200; c < 214; ++c) {
        const int s = h[static_cast<std::size_t>(c)];
        g.Set(c, s, c % 2 ? kSandTop : kSand);
        g.Set(c, s + 1, kSand);
    }
    for (int c = 220; c < 232; ++c) {
        const int s = h[static_cast<std::size_t>(c)];
        g.Set(c, s, kIce);
    }
    {
        const int c = 120, s = h[static_cast<std::size_t>(c)];
        g.Set(c, s - 3, kOverhangLeft);
        g.Set(c + 1, s - 3, kLedge);
        g.Set(c + 2, s - 3, kOverhangRight);
        g.Set(c + 4, s - 2, kLedgeLeft);
        g.Set(c + 5, s - 2, kLedgeRight);
        g.Set(c + 7, s - 1, kStoneHole);
        g.Set(c + 8, s - 1, kIceSlopeUp);
        g.Set(c + 10, s - 1, kGrassThin);
        g.Set(c + 11, s - 1, kStoneSlopeUp);
        g.Set(c + 12, s - 1, kStoneSlopeDown);
        g.Set(c + 14, s - 1, kGrassSlopeUp);
        g.Set(c + 15, s - 1, kGrassSlopeDown);
    }
}

// Closed edges: bedrock left, right and at the bottom.
void CloseEdges(Grid& g, Rng&, const std::array<int, kSide>&) {
    for (int r = 0; r < kSide; ++r) {
        g.Set(0, r, kBedrock);
        g.Set(kSide - 1, r, kBedrock);
    }
    for (int c = 0; c < kSide; ++c) g.Set(c, kSide - 1, kBedrock);
}

}  // namespace

// The tile grid, region by region; each step draws on the same random sequence, in this order.
std::vector<std::string> MakeTileLevel() {
    Grid g;
    Rng rng(7);
    const std::array<int, kSide> h = Heights(rng);
    for (auto step : {LayGround, ShapeSteps, PlaceStartPillar, DigStartCave, DigTunnelsAndCaverns,
                      DressCaves, PlaceSkyPlatforms, DressSurface, PlaceEastStretch, CloseEdges})
        step(g, rng, h);
    return g.Lines();
}

std::vector<std::string> MakeBlockLevel() {
    std::vector<std::string> lines(kSide, std::string(kSide, '<'));
    Rng rng(11);
    for (int i = 0; i < 900; ++i) {
        const int c = rng.Range(0, kSide - 1), r = rng.Range(0, kSide - 1);
        // Keep the start view clear but for one lantern at its top edge.
        if (c < 12 && r < 10) continue;
        lines[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
            static_cast<char>('=' + rng.Range(0, 2));
    }
    lines[2][8] = '?';
    return lines;
}

}  // namespace assetgen
