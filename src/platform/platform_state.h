// Internal to src/platform/: state shared by the window, display and GDI halves of the layer.
#pragma once

#include <array>
#include <cstdint>
#include <deque>

#include "platform/test_seams.h"
#include "platform/win_types.h"

class IDirectDrawSurface;

namespace platform_internal {

// The seams (test_seams.h) exist only in vorn7_platform_seams, the variant the tests,
// benchmarks, fuzzers and the soak link. In the game's and the level tool's variant kTestSeams is
// false: every read of the seams' state sits under `if constexpr (kTestSeams)`, so its checks
// compile away, and the state itself is not defined there (test_seams.cpp is left out).
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

// Index of a display mode in refusedModes, or -1 for a mode the display does not offer.
int ModeIndex(int width, int height, int bpp);

// Queues a message for the thread (fixed capacity; nothing is allocated per message).
void PostMessageInternal(HWND window, UINT message, WPARAM wParam);
// The program's window, or null before CreateWindowExA and after DestroyWindow.
HWND TheWindow();

// The screen: shows a surface scaled to the window with its aspect kept, paced as 60 Hz.
void PresentSurface(const IDirectDrawSurface& front);
// Shows or hides the system pointer over the window (ShowCursor's count decides).
void HideOrShowPointer(bool visible);

// Device contexts of surfaces. A surface keeps its context object for reuse, so taking and
// handing back a context every frame allocates nothing.
HDC TakeSurfaceDC(IDirectDrawSurface* surface, HDC& cache);
// ReleaseDC's half: the context goes back into the surface's cache.
void GiveBackSurfaceDC(HDC dc);
// Frees a surface's cached context when the surface is destroyed.
void FreeSurfaceDC(HDC cache);
// Marks every live surface lost, as a lost display would (for test_seams::LoseAllSurfaces).
void LoseEverySurface();

// File watch: whether a watch is on, and queueing WM_FILECHANGED for each file changed since
// the last call (the message pump calls it while the queue has room).
bool WatchingFiles();
void PostFileChanges(HWND window);

// Test seams: deliver the scripted inputs that are due at the current frame.
void DeliverDueScriptedInputs();

}  // namespace platform_internal
