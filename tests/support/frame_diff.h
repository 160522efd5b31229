// When two frames that should be equal differ: both are written as PNG files into the test's
// output folder, and the report names them and the first differing pixel with its two values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/seams/test_seams.h"

namespace frame_diff {

// A frame kept after its flip, decoded to 0x00RRGGBB.
struct Frame {
    int width = 0, height = 0;
    std::uint64_t number = 0;
    std::vector<std::uint32_t> xrgb;
};
Frame Keep(const test_seams::FrameView& view);

// "" when the frames are equal; otherwise writes NAME-actual.png and NAME-expected.png into the
// output folder and returns a report with their paths and the first differing pixel.
std::string Compare(const Frame& actual, const Frame& expected, const std::string& name);

// Writes a frame as PNG into the output folder; returns its path.
std::string Write(const Frame& frame, const std::string& fileName);

// Reads a PNG file written by Write; false when it is missing or unreadable.
bool Read(const std::string& path, Frame& frame);

// The test's output folder: $VORN7_TEST_OUTPUT, else test-output/ in the build folder.
std::string OutputFolder();

}  // namespace frame_diff
