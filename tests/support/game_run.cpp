#include "game_run.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/display/pixel_format.h"
#include "platform/win_types.h"
#include "shell/app.h"

#ifndef VORN7_DATA_DIR
#error "VORN7_DATA_DIR must name the generated data folder"
#endif

namespace game_run {

std::filesystem::path DataFolder() {
    return VORN7_DATA_DIR;
}

void UseHeadlessPlatform(std::uint32_t msPerFrame) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    test_seams::ResetAll();
    test_seams::UseVirtualClock(true, 100000);
    test_seams::SetClockStepPerFlip(msPerFrame);
    test_seams::SetPacing(false);
}

Result Run(const std::filesystem::path& folder,
           const std::function<void(const test_seams::FrameView&)>& onFrame) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    if (onFrame) test_seams::SetFrameObserver(onFrame);
    const int code = AppMain(nullptr, SW_SHOWNORMAL);
    test_seams::SetFrameObserver({});
    std::filesystem::current_path(previous);
    return {code, test_seams::FlipCount()};
}

void Press(std::uint64_t beforeFrame, int virtualKey) {
    test_seams::ScheduleInput({beforeFrame, test_seams::InputKind::KeyDown, virtualKey, 0});
    test_seams::ScheduleInput({beforeFrame, test_seams::InputKind::KeyUp, virtualKey, 0});
}

void QuitAt(std::uint64_t beforeFrame) {
    Press(beforeFrame, VK_ESCAPE);
}

std::uint64_t FrameChecksum(const test_seams::FrameView& frame) {
    std::uint64_t h = 1469598103934665603ull;
    const int rowBytes = frame.width * pixel_format::BytesPerPixel(frame.bitsPerPixel);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        for (int i = 0; i < rowBytes; ++i) h = (h ^ row[i]) * 1099511628211ull;
    }
    return h;
}

std::filesystem::path CopyOfDataFolder(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("vorn7-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::copy(DataFolder(), dir, std::filesystem::copy_options::recursive);
    return dir;
}

void WritePpm(const test_seams::FrameView& frame, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << frame.width << " " << frame.height << "\n255\n";
    const int bytes = pixel_format::BytesPerPixel(frame.bitsPerPixel);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const pixel_format::Rgb c = pixel_format::DecodeColour(
                frame.bitsPerPixel,
                pixel_format::ReadRaw(
                    frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch + x * bytes,
                    frame.bitsPerPixel));
            out.put(static_cast<char>(c.r)).put(static_cast<char>(c.g)).put(static_cast<char>(c.b));
        }
}

}  // namespace game_run
