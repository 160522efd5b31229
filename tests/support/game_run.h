// Runs the real program in-process, headless, on the virtual clock, with scripted input, and
// calls back after every flipped frame. Each test process runs the program once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/seams/test_seams.h"

namespace game_run {

// The folder with the generated data files (the build's data folder).
std::filesystem::path DataFolder();

// Switches the process to the dummy video driver with the virtual clock and pacing off.
void UseHeadlessPlatform(std::uint32_t msPerFrame);

struct Result {
    int exitCode;
    std::uint64_t frames;
};

// Changes into folder, runs the program until it ends, and changes back. The script should end
// the program (Escape, a close request, or CloseWhenScriptEnds).
Result Run(const std::filesystem::path& folder,
           const std::function<void(const test_seams::FrameView&)>& onFrame = {});

// Key helpers for scripts.
void Press(std::uint64_t beforeFrame, int virtualKey);
void QuitAt(std::uint64_t beforeFrame);

// A checksum of a frame's visible pixels (pitch padding left out).
std::uint64_t FrameChecksum(const test_seams::FrameView& frame);

// Copies the data folder to a fresh temporary folder, for tests that break one file.
std::filesystem::path CopyOfDataFolder(const std::string& name);

// Writes a frame as PNG-free PPM (portable pixmap), for looking at frames by hand.
void WritePpm(const test_seams::FrameView& frame, const std::filesystem::path& path);

}  // namespace game_run
