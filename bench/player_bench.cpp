// The player's part of a frame at 800 x 600 x 32: ActorManager::UpdateAndDraw with the level's
// walker and a player beside the same manager without the player, so the difference is the
// player's fixed steps, their probes of the world, its touches and its drawing. The player runs
// right over the shipped world's flat ground at y 2880 with a full jump and a short hop, 72
// frames of 17, 17 and 16 ms (75 steps, 1.2 s as at 60 frames a second), again from its start
// each round. The two managers take each frame in turn after the same World::Draw, so both draw
// over the frame's held-back background and see the same time; each keeps its fastest round.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>
#include <vector>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "game_setup.h"
#include "platform/seams/test_seams.h"
#include "platform/window/clock.h"
#include "world/world.h"

namespace {

constexpr int kStartX = 1130, kStartY = 2832;  // standing on the ground, 520 pixels of it ahead
constexpr int kFrames = 72;
constexpr int kRounds = 200;

// Right held throughout; a jump pressed at frame 6 and held (a full jump), a hop at frame 50.
PlayerControls ControlsAt(int frame) {
    return {false, true, (frame >= 6 && frame < 38) || frame == 50, frame == 6 || frame == 50};
}

// An actor manager of its own, its kinds' pictures cut for the mode, with these placements.
struct OwnActors {
    ActorManager manager;
    explicit OwnActors(std::vector<ActorPlacement> placements) {
        manager.SetPlacements(std::move(placements));
        ready = manager.Restart() && manager.LoadKindBitmaps() && manager.LoadKindFrames();
    }
    ~OwnActors() { manager.ReleaseKindSurfaces(); }
    bool ready = false;
};

void PlayerUpdateAndDrawPerFrame(benchmark::State& state) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    game_setup::SwitchTo(800, 0, 32);
    test_seams::UseVirtualClock(true, timeGetTime());
    struct RealClockAtEnd {
        ~RealClockAtEnd() { test_seams::UseVirtualClock(false); }
    } realClockAtEnd;
    {
        // Both keep the level's one walker, far from the run; one adds the player.
        OwnActors with({{kPlayerKind, kStartX, kStartY}});
        OwnActors without({});
        if (!with.ready || !without.ready)
            return state.SkipWithError("the actors' pictures did not load");
        Player& player = *with.manager.ThePlayer();
        const CellPosition centre = TheWorld.ClampViewCentre(kStartX + 216, kStartY + 24);
        const ViewRectangle view = TheWorld.TileLayerView(centre.x, centre.y);
        // One manager's frame after the frame's composition, in microseconds.
        const auto frameOf = [&](ActorManager& actors) {
            TheWorld.Draw(centre.x, centre.y, BackSurface);
            const auto start = std::chrono::steady_clock::now();
            actors.UpdateAndDraw(view.left, view.top, view.right, view.bottom, BackSurface);
            return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() -
                                                             start)
                .count();
        };
        for (auto _ : state) {
            double best[2] = {std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::infinity()};
            int highest = kStartY, distance = 0;
            for (int round = 0; round < kRounds; ++round) {
                with.manager.SetPlayerStart(kStartX, kStartY);
                double total[2] = {0, 0};
                for (int frame = 0; frame < kFrames; ++frame) {
                    test_seams::AdvanceVirtualClock(frame % 3 == 2 ? 16 : 17);
                    with.manager.SetControls(ControlsAt(frame));
                    total[0] += frameOf(with.manager);
                    total[1] += frameOf(without.manager);
                    highest = std::min(highest, player.Y());
                }
                distance = player.X() - kStartX;
                best[0] = std::min(best[0], total[0] / kFrames);
                best[1] = std::min(best[1], total[1] / kFrames);
            }
            // The figure holds only for the run it names: it ran, jumped, stood again at the
            // end, and nothing sent it back.
            if (distance < 250 || kStartY - highest < 80 || !player.Grounded() ||
                player.Runs() != 1)
                return state.SkipWithError("the player did not run and jump over the ground");
            state.SetIterationTime((best[0] - best[1]) / 1e6);
            state.counters["player_us"] = best[0] - best[1];
            state.counters["with_player_us"] = best[0];
            state.counters["without_player_us"] = best[1];
            state.counters["run_px"] = distance;
            state.counters["jump_px"] = kStartY - highest;
        }
    }
}
BENCHMARK(PlayerUpdateAndDrawPerFrame)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
