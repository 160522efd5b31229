// The platform layer's copies and flips in every depth, each beside a memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "display/display.h"
#include "game_setup.h"

namespace {

void MemcpyOfFrame(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) *
                       static_cast<std::size_t>(state.range(1)) *
                       static_cast<std::size_t>(state.range(2)) / 8;
    std::vector<std::uint8_t> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MemcpyOfFrame)
    ->ArgsProduct({{640, 800, 1024}, {480, 600, 768}, {8, 16, 24, 32}})
    ->Unit(benchmark::kMicrosecond);

void FullScreenCopy1024x768(benchmark::State& state) {
    game_setup::Start();
    game_setup::SwitchTo(1024, 768, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RECT r{0, 0, 1024, 768};
        BackSurface->Blt(&r, FrontSurface, &r, DDBLT_WAIT, nullptr);
    }
}
BENCHMARK(FullScreenCopy1024x768)->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);

void FlipUnpaced(benchmark::State& state) {
    game_setup::Start();
    game_setup::SwitchTo(800, 600, static_cast<int>(state.range(0)));
    for (auto _ : state) FrontSurface->Flip(nullptr, DDFLIP_WAIT);
}
BENCHMARK(FlipUnpaced)->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
