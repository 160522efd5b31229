// Frame composition (World::Draw into the back buffer) beside the same frame composed
// with plain SDL2 surfaces (colour-keyed, with and without SDL_RLEACCEL; and as a program written
// for SDL2 would, the opaque background unkeyed and the tiles RLE) and a memcpy of the frame; and
// keyed 32 x 32 tiles with real see-through pixels beside SDL's keyed copies. Every comparison
// first checks that both pictures are pixel-identical.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "display/display.h"
#include "fastest.h"
#include "game_setup.h"
#include "platform/seams/test_seams.h"
#include "sdl_reference.h"
#include "shell/camera.h"
#include "twelve_modes.h"
#include "world/world.h"

namespace {

constexpr int kRounds = 300;

const std::uint8_t* PixelsOf(const IDirectDrawSurface* surface) {
    return surface->pixels();
}

void Composition(benchmark::State& state, int x, int y) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    const int width = static_cast<int>(state.range(0)), depth = static_cast<int>(state.range(1));
    game_setup::SwitchTo(width, 0, depth);
    test_seams::UseVirtualClock(true, 100000);  // the walker stands still: every round the same
    const int w = BackSurface->width(), h = BackSurface->height(), pitch = BackSurface->pitch();
    TheWorld.Draw(x, y, BackSurface);

    // The frame as the system draws it, and the list of its copies.
    SDL_Surface* target = sdl_reference::MakeSurface(w, h, depth);
    sdl_reference::CopyRows(target, PixelsOf(BackSurface), pitch);
    const std::vector<std::uint8_t> before(PixelsOf(BackSurface),
                                           PixelsOf(BackSurface) + pitch * h);
    sdl_reference::Composition sdl, sdlRle;  // apart: SDL encodes a surface's runs once
    sdl_reference::Composition sdlPlain(true);
    test_seams::SetCopyObserver([&](const test_seams::CopyView& c) {
        sdl.Add(c);
        sdlRle.Add(c);
        sdlPlain.Add(c);
    });
    sdlRle.UseRle(true);
    TheWorld.Draw(x, y, BackSurface);
    test_seams::SetCopyObserver({});
    const struct {
        const sdl_reference::Composition& composition;
        const char* name;
    } references[] = {{sdl, "SDL keyed: "}, {sdlRle, "SDL_RLEACCEL: "}, {sdlPlain, "plain SDL: "}};
    for (const auto& reference : references) {
        sdl_reference::CopyRows(target, before.data(), pitch);
        reference.composition.Compose(target);
        const std::string difference =
            sdl_reference::FirstDifference(target, PixelsOf(BackSurface), pitch);
        if (!difference.empty()) {
            SDL_FreeSurface(target);
            return state.SkipWithError((reference.name + difference).c_str());
        }
    }
    test_seams::HoldBackBackground(false);  // the frame written at once is the same picture
    TheWorld.Draw(x, y, BackSurface);
    test_seams::HoldBackBackground(true);
    const std::string atOnce = sdl_reference::FirstDifference(target, PixelsOf(BackSurface), pitch);
    if (!atOnce.empty()) {
        SDL_FreeSurface(target);
        return state.SkipWithError(("written at once: " + atOnce).c_str());
    }

    std::vector<std::uint8_t> copy(static_cast<std::size_t>(pitch) * h);
    for (auto _ : state) {
        const auto us = fastest::MicrosecondsOf<7>(
            kRounds, {[&] {
                          std::memcpy(copy.data(), PixelsOf(BackSurface), copy.size());
                          benchmark::ClobberMemory();
                      },
                      [&] {
                          // The frame as shown: reading the back buffer writes the background
                          // the platform held back.
                          TheWorld.Draw(x, y, BackSurface);
                          benchmark::DoNotOptimize(PixelsOf(BackSurface));
                      },
                      [&] { sdl.Compose(target); }, [&] { sdlRle.Compose(target); },
                      [&] {
                          test_seams::HoldBackBackground(false);
                          TheWorld.Draw(x, y, BackSurface);
                          test_seams::HoldBackBackground(true);
                      },
                      [&] {
                          test_seams::MovePixels(false);
                          TheWorld.Draw(x, y, BackSurface);
                          benchmark::DoNotOptimize(PixelsOf(BackSurface));
                          test_seams::MovePixels(true);
                      },
                      [&] { sdlPlain.Compose(target); }});
        state.SetIterationTime(us[1] / 1e6);
        state.counters["memcpy_us"] = us[0];
        state.counters["draw_us"] = us[1];
        state.counters["sdl_key_us"] = us[2];
        state.counters["sdl_rle_us"] = us[3];
        state.counters["at_once_us"] = us[4];  // the background written at once, not held back
        // Every copy's calls, checks and bookkeeping, with no pixel moved: what a frame would
        // cost if its pixels were free.
        state.counters["no_moves_us"] = us[5];
        state.counters["vs_best_sdl"] = us[1] / std::min(us[2], us[3]);
        // Against a program written for SDL2: the background without a key, tiles RLE.
        state.counters["sdl_plain_us"] = us[6];
        state.counters["vs_plain_sdl"] = us[1] / us[6];
        state.counters["vs_memcpy"] = us[1] / us[0];
    }
    state.counters["copies"] = static_cast<double>(sdl.size());
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(depth));
    SDL_FreeSurface(target);
    test_seams::UseVirtualClock(false);
}

void CompositionStartView(benchmark::State& state) {
    Composition(state, 500, 380);
}
void CompositionBusyView(benchmark::State& state) {
    Composition(state, 4100, 2600);
}
BENCHMARK(CompositionStartView)->Apply(TwelveModes);
BENCHMARK(CompositionBusyView)->Apply(TwelveModes);

// ---- Keyed 32 x 32 tiles over 800 x 600 ----

enum Pattern { kHalf, kCheckerboard };

// Writes raw values through a lock: the key where the pattern is see-through, 1 elsewhere.
void Fill(IDirectDrawSurface* s, std::uint32_t key, Pattern pattern, bool all = false) {
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    if (s->Lock(nullptr, &desc, 0, nullptr) < 0) return;
    const int bytes = s->bitsPerPixel() / 8;
    for (int y = 0; y < s->height(); ++y)
        for (int x = 0; x < s->width(); ++x) {
            const bool clear = !all && (pattern == kHalf ? x < 16 : (x + y) % 2 == 0);
            const std::uint32_t v = all ? 2u : clear ? key : 1u;
            std::memcpy(static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                        &v, static_cast<std::size_t>(bytes));
        }
    s->Unlock(nullptr);
}

void KeyedTiles(benchmark::State& state) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    const int depth = static_cast<int>(state.range(0));
    const auto pattern = static_cast<Pattern>(state.range(1));
    game_setup::SwitchTo(800, 600, depth);
    const std::uint32_t key = static_cast<std::uint32_t>(TransparentColour);
    IDirectDrawSurface* tile = CreateOffscreenSurface(32, 32);
    IDirectDrawSurface* offscreen = CreateOffscreenSurface(800, 600);
    DDCOLORKEY ck{key, key};
    tile->SetColorKey(DDCKEY_SRCBLT, &ck);
    Fill(tile, key, pattern);
    SDL_Surface* sdlTiles[2];  // apart: SDL encodes a surface's runs once
    for (bool rle : {false, true}) {
        SDL_Surface*& t = sdlTiles[rle];
        t = sdl_reference::MakeSurface(32, 32, depth);
        sdl_reference::CopyRows(t, PixelsOf(tile), tile->pitch());
        SDL_SetColorKey(t, SDL_TRUE, key);
        SDL_SetSurfaceRLE(t, rle ? 1 : 0);
    }
    SDL_Surface* sdlTarget = sdl_reference::MakeSurface(800, 600, depth);
    auto ours = [&](IDirectDrawSurface* target) {
        for (int y = 0; y + 32 <= 600; y += 32)
            for (int x = 0; x < 800; x += 32) {
                RECT dest{x, y, x + 32, y + 32}, source{0, 0, 32, 32};
                target->Blt(&dest, tile, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
            }
    };
    auto theirs = [&](bool rle) {
        for (int y = 0; y + 32 <= 600; y += 32)
            for (int x = 0; x < 800; x += 32) {
                SDL_Rect to{x, y, 32, 32};
                SDL_BlitSurface(sdlTiles[rle], nullptr, sdlTarget, &to);
            }
    };
    // The check that a keyed copy really skips: over a filled target, the see-through half of
    // every tile shows what was there, and SDL gives the same picture.
    for (bool rle : {false, true}) {
        Fill(offscreen, key, pattern, true);
        sdl_reference::CopyRows(sdlTarget, PixelsOf(offscreen), offscreen->pitch());
        theirs(rle);
        ours(offscreen);
        Fill(BackSurface, key, pattern, true);
        ours(BackSurface);
        for (IDirectDrawSurface* s : {BackSurface, offscreen}) {
            const std::string d =
                sdl_reference::FirstDifference(sdlTarget, PixelsOf(s), s->pitch());
            if (!d.empty()) return state.SkipWithError(d.c_str());
        }
    }
    int kept = 0;
    for (int x = 0; x < 32; ++x) {
        std::uint32_t v = 0;
        std::memcpy(&v, PixelsOf(BackSurface) + 100 * BackSurface->pitch() + x * depth / 8,
                    static_cast<std::size_t>(depth / 8));
        kept += v == 2u;
    }
    if (kept != 16) return state.SkipWithError("the keyed copy did not skip the see-through half");

    for (auto _ : state) {
        const auto us = fastest::MicrosecondsOf<4>(
            kRounds / 3, {[&] { ours(BackSurface); }, [&] { ours(offscreen); },
                          [&] { theirs(false); }, [&] { theirs(true); }});
        state.SetIterationTime(us[0] / 1e6);
        state.counters["back_buffer_us"] = us[0];
        state.counters["offscreen_us"] = us[1];
        state.counters["sdl_key_us"] = us[2];
        state.counters["sdl_rle_us"] = us[3];
        state.counters["vs_rle"] = std::max(us[0], us[1]) / us[3];
    }
    state.SetLabel(std::to_string(depth) +
                   (pattern == kHalf ? " bits, half" : " bits, checkerboard"));
    for (SDL_Surface* t : sdlTiles) SDL_FreeSurface(t);
    SDL_FreeSurface(sdlTarget);
    tile->Release();
    offscreen->Release();
}
BENCHMARK(KeyedTiles)
    ->ArgsProduct({{8, 16, 24, 32}, {kHalf, kCheckerboard}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
