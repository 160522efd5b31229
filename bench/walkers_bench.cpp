// Many walkers in view at 800 x 600 x 32 (a level's x2.actors may place 256): the whole frame's
// composition with them, and their own part (ActorManager::UpdateAndDraw: each walker's fixed
// step, its probes of the world and its drawing) per walker. The virtual clock moves 16 ms a
// frame, so every walker takes one step each frame, as at 60 frames a second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "actors/actor_manager.h"
#include "display/display.h"
#include "fastest.h"
#include "game_setup.h"
#include "platform/seams/test_seams.h"
#include "platform/window/clock.h"
#include "world/world.h"

namespace {

void WalkersInView(benchmark::State& state) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    game_setup::SwitchTo(800, 0, 32);
    const int count = static_cast<int>(state.range(0));
    // Spread over the start view's plateau and the air above it.
    std::vector<ActorPlacement> placed;
    for (int i = 0; i < count; ++i)
        placed.push_back({0, 120 + (i * 640) / count, 125 - (i % 4) * 40});
    ActorManager& actors = *TheWorld.Actors();
    actors.SetPlacements(placed);
    actors.Restart();
    const CellPosition centre = TheWorld.ClampViewCentre(500, 380);
    const ViewRectangle view = TheWorld.TileLayerView(centre.x, centre.y);
    test_seams::UseVirtualClock(true, timeGetTime());
    for (auto _ : state) {
        const auto us = fastest::MicrosecondsOf<2>(
            300, {[&] {
                      test_seams::AdvanceVirtualClock(16);
                      TheWorld.Draw(500, 380, BackSurface);
                      benchmark::DoNotOptimize(BackSurface->pixels());
                  },
                  [&] {
                      test_seams::AdvanceVirtualClock(16);
                      actors.UpdateAndDraw(view.left, view.top, view.right, view.bottom,
                                           BackSurface);
                  }});
        state.SetIterationTime(us[0] / 1e6);
        state.counters["frame_us"] = us[0];
        state.counters["walkers_us"] = us[1];
        state.counters["per_walker_us"] = us[1] / count;
    }
    // How many were still in view at the end: walkers over a gap fall out of it.
    int inView = 0;
    for (int i = 0; i < actors.LiveCount(); ++i) {
        const Actor& a = *actors.LiveActor(i);
        inView += a.X() > view.left - 64 && a.X() < view.left + 800 && a.Y() > view.top - 64 &&
                  a.Y() < view.top + 600;
    }
    state.counters["in_view_at_end"] = inView;
    test_seams::UseVirtualClock(false);
    actors.SetPlacements({});
    actors.Restart();
}
BENCHMARK(WalkersInView)
    ->Arg(1)
    ->Arg(16)
    ->Arg(256)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
