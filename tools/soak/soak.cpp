// Runs the program headless for many frames on the virtual clock under random key storms
// (arrows, Space, Enter, auto-repeat), activation changes and injected surface losses, and checks
// after every frame that no surface or device context is left over. Prints the frames run, the
// mode switches, the losses and the resident memory; exits 1 on any failure.
//   vorn7_soak [--frames N] [--random N] [--quiet]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "display/display.h"
#include "platform/seams/test_seams.h"
#include "platform/win_types.h"
#include "shell/app.h"

namespace {

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
    return -1;
}

struct Rng {
    std::uint64_t state;
    std::uint32_t Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t frames = 100000;
    std::uint64_t randomStart = 1;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::strtoull(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--random") && i + 1 < argc)
            randomStart = std::strtoull(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--quiet"))
            quiet = true;
        else {
            std::fprintf(stderr, "usage: vorn7_soak [--frames N] [--random N] [--quiet]\n");
            return 2;
        }
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::filesystem::current_path(VORN7_DATA_DIR);
    test_seams::UseVirtualClock(true, 1000);
    test_seams::SetClockStepPerFlip(16);
    test_seams::SetPacing(false);

    // The script: storms of keys every few frames, a pause now and then, a lost display every
    // few hundred frames.
    Rng rng{randomStart};
    const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_RETURN, 'A', VK_SHIFT};
    std::uint64_t switches = 0, pauses = 0;
    for (std::uint64_t f = 10; f < frames; f += 5 + rng.Next() % 40) {
        const int storm = 1 + static_cast<int>(rng.Next() % 6);
        for (int k = 0; k < storm; ++k) {
            int key = keys[rng.Next() % 8];
            // Mode keys are rarer than arrows, as a player presses them.
            if ((key == VK_SPACE || key == VK_RETURN) && rng.Next() % 4 != 0) key = VK_LEFT;
            switches += key == VK_SPACE || key == VK_RETURN;
            test_seams::ScheduleInput({f, test_seams::InputKind::KeyDown, key, 0});
            if (rng.Next() % 3 == 0)
                test_seams::ScheduleInput({f, test_seams::InputKind::KeyRepeat, key, 0});
            test_seams::ScheduleInput({f, test_seams::InputKind::KeyUp, key, 0});
        }
        // Keep the camera from running off for good: arrows balance out over time.
        if (rng.Next() % 50 == 0) {
            ++pauses;
            test_seams::ScheduleInput({f, test_seams::InputKind::Deactivate, 0, 0});
            test_seams::ScheduleInput({f, test_seams::InputKind::Activate, 0, rng.Next() % 20000});
        }
    }
    test_seams::ScheduleInput({frames, test_seams::InputKind::KeyDown, VK_ESCAPE, 0});

    std::uint64_t losses = 0, failures = 0;
    int steadySurfaces = -1;
    long rssAfterWarmUp = 0;
    test_seams::SetFrameObserver([&](const test_seams::FrameView& f) {
        const int surfaces = test_seams::LiveSurfaceCount();
        if (steadySurfaces < 0) steadySurfaces = surfaces;
        if (surfaces != steadySurfaces || test_seams::LiveDeviceContextCount() != 0) {
            if (failures++ < 5)
                std::fprintf(stderr, "frame %llu: %d surfaces (steady %d), %d contexts\n",
                             static_cast<unsigned long long>(f.frameNumber), surfaces,
                             steadySurfaces, test_seams::LiveDeviceContextCount());
        }
        if (f.frameNumber % 337 == 0) {
            ++losses;
            test_seams::LoseAllSurfaces();
        }
        if (f.frameNumber == 1000) rssAfterWarmUp = StatusKb("VmRSS:");
    });
    const int code = AppMain(nullptr, SW_SHOWNORMAL);
    const std::uint64_t ran = test_seams::FlipCount();
    const long rssEnd = StatusKb("VmRSS:"), peak = StatusKb("VmHWM:");
    const bool leftOver =
        test_seams::LiveSurfaceCount() != 0 || test_seams::LiveDeviceContextCount() != 0;
    if (!quiet || code != 0 || failures || leftOver)
        std::printf(
            "soak: %llu frames, %llu mode keys, %llu losses, %llu pauses; exit %d; %llu failed "
            "frames\n",
            static_cast<unsigned long long>(ran), static_cast<unsigned long long>(switches),
            static_cast<unsigned long long>(losses), static_cast<unsigned long long>(pauses), code,
            static_cast<unsigned long long>(failures));
    std::printf(
        "memory: resident %ld KiB after 1000 frames, %ld KiB at the end, peak %ld KiB (%.1f MB)\n",
        rssAfterWarmUp, rssEnd, peak, peak / 1024.0);
    return (code == 0 && failures == 0 && !leftOver && ran >= frames) ? 0 : 1;
}
