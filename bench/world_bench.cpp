// The frame tick in all 12 display modes, the collision scans, the walker, a mode switch,
// recovery of lost surfaces and the start-up work.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "actors/walker.h"
#include "display/display.h"
#include "fastest.h"
#include "game_setup.h"
#include "platform/seams/test_seams.h"
#include "shell/camera.h"
#include "shell/frame_tick.h"
#include "shell/mode_cycling.h"
#include "shell/shell_globals.h"
#include "shell/surface_life_cycle.h"
#include "twelve_modes.h"
#include "world/world.h"

namespace {

// One frame's work for a still camera at (x, y), beside a memcpy of the same frame's bytes, the
// two interleaved and each taken at its fastest.
void Tick(benchmark::State& state, int x, int y) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    const int width = static_cast<int>(state.range(0)), depth = static_cast<int>(state.range(1));
    game_setup::SwitchTo(width, 0, depth);
    Camera = {x, y, 0, 0};
    const std::size_t bytes =
        static_cast<std::size_t>(BackSurface->pitch()) * BackSurface->height();
    std::vector<std::uint8_t> copy(bytes);
    const IDirectDrawSurface* back = BackSurface;
    for (auto _ : state) {
        const auto us =
            fastest::MicrosecondsOf<2>(300, {[&] {
                                                 std::memcpy(copy.data(), back->pixels(), bytes);
                                                 benchmark::ClobberMemory();
                                             },
                                             [] { benchmark::DoNotOptimize(FrameTick()); }});
        state.SetIterationTime(us[1] / 1e6);
        state.counters["memcpy_us"] = us[0];
        state.counters["tick_over_memcpy"] = us[1] / us[0];
    }
    state.SetLabel(std::to_string(width) + "x" + std::to_string(DisplayMode.height) + "x" +
                   std::to_string(depth));
}

void FrameTickStartView(benchmark::State& state) {
    Tick(state, 500, 380);
}
void FrameTickBusyView(benchmark::State& state) {
    Tick(state, 4100, 2600);
}
BENCHMARK(FrameTickStartView)->Apply(TwelveModes);
BENCHMARK(FrameTickBusyView)->Apply(TwelveModes);

void Scans(benchmark::State& state) {
    game_setup::Start();
    // The walker's three probes, standing on the start plateau.
    const int x = 400, y = 223;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TheWorld.ScanColumnsRightward(x + 47, y + 28, 2, 25));
        benchmark::DoNotOptimize(TheWorld.ScanColumnsLeftward(x + 7, y + 28, 2, 25));
        benchmark::DoNotOptimize(TheWorld.ScanRows(x + 27, y + 64, 20, 2));
    }
    state.SetLabel("three walker probes");
}
BENCHMARK(Scans)->Unit(benchmark::kNanosecond);

void WalkerStep(benchmark::State& state) {
    game_setup::Start();
    test_seams::UseVirtualClock(true, 1000);
    Walker walker;
    walker.Update(0, 0, 800, 600);
    for (auto _ : state) {
        test_seams::AdvanceVirtualClock(16);  // exactly one fixed step per update
        benchmark::DoNotOptimize(walker.Update(0, 0, 800, 600));
    }
    test_seams::UseVirtualClock(false);
}
BENCHMARK(WalkerStep)->Unit(benchmark::kNanosecond);

void ModeSwitch(benchmark::State& state) {
    game_setup::Start();
    game_setup::SwitchTo(800, 600, 32);
    for (auto _ : state) CycleColourDepth();  // 8, 16, 24, 32 in turn: a full rebuild each
    state.SetLabel("release and rebuild of every surface");
}
BENCHMARK(ModeSwitch)->Unit(benchmark::kMillisecond);

// The rebuild a mode switch into 800 x 600 at the depth given does (the mode set, every surface
// released and made again, every picture copied in).
void ModeSwitchInto(benchmark::State& state) {
    game_setup::Start();
    const int depth = static_cast<int>(state.range(0));
    game_setup::SwitchTo(800, 600, depth);
    for (auto _ : state) {
        DisplayDevice->SetDisplayMode(800, 600, static_cast<DWORD>(depth));
        RebuildDisplayObjects();
    }
    state.SetLabel("800x600x" + std::to_string(DisplayMode.colourDepth));
}
BENCHMARK(ModeSwitchInto)->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);

void Recovery(benchmark::State& state) {
    game_setup::Start();
    game_setup::SwitchTo(800, 600, 32);
    for (auto _ : state) {
        test_seams::LoseAllSurfaces();
        benchmark::DoNotOptimize(RecoverSurfaces());
    }
}
BENCHMARK(Recovery)->Unit(benchmark::kMillisecond);

void StartupWork(benchmark::State& state) {
    game_setup::Start();
    game_setup::SwitchTo(800, 600, 32);
    for (auto _ : state) {
        TheWorld.ReadLevelFile("x2.lvl", TheWorld.TileGridMutable());
        TheWorld.ReadLevelFile("x2fg.lvl", TheWorld.BlockGridMutable());
        benchmark::DoNotOptimize(ShellSpriteSheet.Load("vornsprites24bit.bmp"));
        benchmark::DoNotOptimize(TheWorld.LoadBitmaps());
        ReleaseDisplayObjects();
        CreateFlipChain(MainWindow);
        CreateDisplayObjects();  // every surface filled, 64 masks built
    }
    state.SetLabel("levels, pictures, surfaces and masks");
}
BENCHMARK(StartupWork)->Unit(benchmark::kMillisecond);

}  // namespace
