// The platform layer's copies and flips in every depth, each beside a memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "display/display.h"
#include "game_setup.h"

namespace {

IDirectDrawSurface* Tile() {
    static IDirectDrawSurface* tile = nullptr;
    static int depth = 0;
    if (tile != nullptr && depth == DisplayMode.colourDepth) return tile;
    if (tile != nullptr) tile->Release();
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = desc.dwHeight = 32;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    DisplayDevice->CreateSurface(&desc, &tile, nullptr);
    DDCOLORKEY key{TransparentColour, TransparentColour};
    tile->SetColorKey(DDCKEY_SRCBLT, &key);
    // Half key, half colour: the keyed copy's worst case of mixed pixels.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32 * tile->bitsPerPixel() / 8; ++x)
            tile->pixels()[y * tile->pitch() + x] = static_cast<std::uint8_t>((x + y) % 7);
    depth = DisplayMode.colourDepth;
    return tile;
}

void KeyedTilesOver800x600(benchmark::State& state) {
    game_setup::Start();
    game_setup::SwitchTo(800, 600, static_cast<int>(state.range(0)));
    IDirectDrawSurface* tile = Tile();
    for (auto _ : state) {
        for (int y = 0; y < 600; y += 32)
            for (int x = 0; x < 800; x += 32) {
                RECT dest{x, y, x + 32, y + 32}, source{0, 0, 32, 32};
                BackSurface->Blt(&dest, tile, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
            }
    }
    state.counters["bpp"] = static_cast<double>(state.range(0));
}
BENCHMARK(KeyedTilesOver800x600)->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);

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
