// The frame's composition in the platform variant the binary links: built into vorn7_bench (the
// tests' variant, whose copies check the seams) and vorn7_bench_shipped (the game's, whose copies
// do not), so bench/compare-variants can run the two in turn. It uses no seam, so in both the
// walker moves with the real clock; a frame's memcpy is measured beside it in the same rounds.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "display/display.h"
#include "fastest.h"
#include "game_setup.h"
#include "twelve_modes.h"
#include "world/world.h"

namespace {

const std::uint8_t* PixelsOf(const IDirectDrawSurface* surface) {
    return surface->pixels();  // reading settles the frame: the held-back background is written
}

void VariantComposition(benchmark::State& state, int x, int y) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    game_setup::SwitchTo(static_cast<int>(state.range(0)), 0, static_cast<int>(state.range(1)));
    std::vector<std::uint8_t> copy(static_cast<std::size_t>(BackSurface->pitch()) *
                                   static_cast<std::size_t>(BackSurface->height()));
    for (auto _ : state) {
        const auto us = fastest::MicrosecondsOf<2>(
            300, {[&] {
                      std::memcpy(copy.data(), PixelsOf(BackSurface), copy.size());
                      benchmark::ClobberMemory();
                  },
                  [&] {
                      TheWorld.Draw(x, y, BackSurface);
                      benchmark::DoNotOptimize(PixelsOf(BackSurface));
                  }});
        state.SetIterationTime(us[1] / 1e6);
        state.counters["memcpy_us"] = us[0];
        state.counters["vs_memcpy"] = us[1] / us[0];
    }
}

void VariantCompositionStartView(benchmark::State& state) {
    VariantComposition(state, 500, 380);
}
void VariantCompositionBusyView(benchmark::State& state) {
    VariantComposition(state, 4100, 2600);
}
BENCHMARK(VariantCompositionStartView)->Apply(TwelveModes);
BENCHMARK(VariantCompositionBusyView)->Apply(TwelveModes);

}  // namespace
