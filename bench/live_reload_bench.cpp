// vorn7 --watch: the work of reloading a saved level, and the time from a save's close to the
// end of the first frame that shows it (the watch read, the reload and one frame; the game's
// pacing can add up to one 60 Hz period, or the 20 ms look at the files while it is inactive).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "display/display.h"
#include "game_setup.h"
#include "platform/files/data_path.h"
#include "platform/window/messages.h"
#include "shell/frame_tick.h"
#include "shell/live_reload.h"
#include "shell/surface_life_cycle.h"
#include "world/world.h"

namespace {

namespace fs = std::filesystem;

void LevelReload(benchmark::State& state) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    for (auto _ : state) benchmark::DoNotOptimize(TheWorld.ReloadTileLevel("x2.lvl"));
    state.SetLabel("read, grid replaced, walker spawned again");
}
BENCHMARK(LevelReload)->Unit(benchmark::kMillisecond);

void SaveToFrame(benchmark::State& state) {
    if (!game_setup::Start()) return state.SkipWithError("start-up failed");
    const fs::path folder =
        fs::temp_directory_path() / ("vorn7-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::string bytes;
    {
        std::ifstream in("x2.lvl", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string path = (folder / "x2.lvl").string();
    std::ofstream(path, std::ios::binary) << bytes;
    data_path::SetLevelFolder(folder.string());
    if (!StartWatching(std::filesystem::file_time_type::clock::now()))
        return state.SkipWithError("no watch");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            return state.SkipWithError("cannot write the level");
        ::close(fd);
        const auto closed = std::chrono::steady_clock::now();
        MSG message;
        bool reloaded = false;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            reloaded |= message.message == WM_FILECHANGED;
            DispatchMessageA(&message);
        }
        if (!reloaded) return state.SkipWithError("the save was not seen");
        benchmark::DoNotOptimize(FrameTick());
        benchmark::DoNotOptimize(PresentFrame());
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - closed).count());
    }
    data_path::SetLevelFolder("");
    fs::remove_all(folder);
    state.SetLabel("close to the end of the frame that shows it");
}
BENCHMARK(SaveToFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
