// Internal to src/platform/: the test seams' state (test_seams.h), read only by the files CMake
// compiles with VORN7_SEAM_READER: those built once for each platform variant (CMake's
// vorn7_platform_seamed_files) and the seams' own test_seams.cpp and scripted_input.cpp. A file
// built once for both variants cannot include it: a seam read there would be compiled for the
// game's variant alone and silently do nothing in the tests'.
#pragma once

#ifndef VORN7_SEAM_READER
#error "seam_state.h is for the files built once per platform variant (vorn7_platform_seamed_files)"
#endif

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/seams/test_seams.h"

namespace platform_internal {

// The seams (test_seams.h) exist only in vorn7_platform_seams, the variant the tests,
// vorn7_bench, the fuzzers and the soak link. In the game's variant kTestSeams is false: every
// read of the seams' state sits under `if constexpr (kTestSeams)`, so its checks compile away,
// and the state itself is not defined there (test_seams.cpp is left out).
#ifdef VORN7_TEST_SEAMS
constexpr bool kTestSeams = true;
#else
constexpr bool kTestSeams = false;
#endif

struct SeamState {
    bool virtualClock = false;
    std::uint32_t virtualNow = 0;
    std::uint32_t clockStepPerFlip = 0;
    std::uint64_t flips = 0;
    std::deque<test_seams::ScriptedInput> script;
    bool closeWhenScriptEnds = false;
    test_seams::FrameObserver observer;
    test_seams::CopyObserver copyObserver;
    test_seams::FileOpenObserver fileOpenObserver;
    test_seams::Faults faults;
    std::array<bool, 12> refusedModes{};  // 3 resolutions x 4 depths
    bool pacing = true;
    bool presentHeadless = false;
    bool holdBackBackground = true;
    bool movePixels = true;
    int liveSurfaces = 0;
    int liveDCs = 0;
    int liveClippers = 0;
    int liveDevices = 0;
};
// One instance for the process (tests' variant only); inline so that a read pays no call.
extern SeamState g_seamState;
inline SeamState& Seams() {
    return g_seamState;
}

// The helpers' bodies differ between the variants: each file that reads a seam has its own copy
// (internal linkage), so no two objects can disagree about one function.
namespace {

// One live object more or fewer, for the tests' leak checks.
inline void CountLive(int SeamState::*counter, int delta) {
    if constexpr (kTestSeams) Seams().*counter += delta;
}
// Whether the tests injected this fault.
inline bool Injected(bool test_seams::Faults::*fault) {
    if constexpr (kTestSeams) return Seams().faults.*fault;
    return false;
}
// The copy path's switches (test_seams::HoldBackBackground, MovePixels): on in the game's variant.
inline bool HoldsBackBackground() {
    if constexpr (kTestSeams) return Seams().holdBackBackground;
    return true;
}
inline bool MovesPixels() {
    if constexpr (kTestSeams) return Seams().movePixels;
    return true;
}
// Whether this call is the one an "n-th from now" fault names (each call counts down).
inline bool InjectedAtThisCall(int test_seams::Faults::*countdown) {
    if constexpr (kTestSeams) {
        int& n = Seams().faults.*countdown;
        if (n <= 0) return false;
        return --n == 0;
    }
    return false;
}

}  // namespace

// Index of a display mode in refusedModes, or -1 for a mode the display does not offer.
int ModeIndex(int width, int height, int bpp);
// Deliver the scripted inputs that are due at the current frame (scripted_input.cpp).
void DeliverDueScriptedInputs();
// The window's pixels as XRGB, for test_seams::ReadShownPixels (present_surface.cpp).
bool ReadWindowPixels(std::vector<std::uint32_t>& xrgb, int* width, int* height);

}  // namespace platform_internal
