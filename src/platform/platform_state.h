// Internal to src/platform/: state shared by the window, display and GDI halves of the layer.
#pragma once

#include <array>
#include <cstdint>
#include <deque>

#include "platform/test_seams.h"
#include "platform/win_types.h"

class IDirectDrawSurface;

namespace platform_internal {

// The copy path's seams (the copy observer, holding the background back or not, moving pixels
// or not) exist only in the platform library the tests and benchmarks link
// (vorn7_platform_seams); in the game's own they are constants and their checks compile away.
#ifdef VORN7_TEST_SEAMS
constexpr bool kCopySeams = true;
#else
constexpr bool kCopySeams = false;
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
// One instance for the process; inline so that the copies' hot path pays no call for it.
extern SeamState g_seamState;
inline SeamState& Seams() {
    return g_seamState;
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
