// The frame's composition at the 24 views (two camera positions, twelve display modes), timed
// without Google Benchmark so that the same source runs natively and as WebAssembly (under node):
// bench/compare-web runs the two builds in turn. A frame's memcpy is timed in the same rounds.
// Prints one line per view: "WIDTHxDEPTH VIEW composition_us memcpy_us".
//   vorn7_composition_views [ROUNDS]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/display.h"
#include "fastest.h"
#include "game_setup.h"
#include "world/world.h"

namespace {

volatile std::uint8_t g_sink;

struct View {
    const char* name;
    int x, y;
};
constexpr View kViews[] = {{"start", 500, 380}, {"busy", 4100, 2600}};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    if (!game_setup::Start()) return 1;
    for (const int width : {640, 800, 1024})
        for (const int depth : {8, 16, 24, 32}) {
            game_setup::SwitchTo(width, 0, depth);
            std::vector<std::uint8_t> copy(static_cast<std::size_t>(BackSurface->pitch()) *
                                           static_cast<std::size_t>(BackSurface->height()));
            for (const View& view : kViews) {
                const auto us = fastest::MicrosecondsOf<2>(
                    rounds, {[&] {
                                 // Reading the pixels settles the frame (a held-back background).
                                 std::memcpy(copy.data(), BackSurface->pixels(), copy.size());
                                 g_sink = copy[copy.size() / 2];
                             },
                             [&] {
                                 TheWorld.Draw(view.x, view.y, BackSurface);
                                 g_sink = BackSurface->pixels()[0];
                             }});
                std::printf("%dx%d %s %.2f %.2f\n", width, depth, view.name, us[1], us[0]);
            }
        }
    return 0;
}
