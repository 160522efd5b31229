// Seams for tests and benchmarks: a virtual clock, scripted input, observers of every flipped
// frame and of every copy into the back buffer, the composition's two switches, fault injection,
// refused display modes, lost surfaces, counters of live objects, pacing, the headless presenter
// and the window's shown pixels. They are defined only in vorn7_platform_seams, so a call from the
// game or the level tool does not link.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace test_seams {

// Virtual clock: while on, timeGetTime returns this time instead of the real clock.
void UseVirtualClock(bool on, std::uint32_t startMs = 0);
// Moves the virtual clock on by ms (wrapping as the real one does).
void AdvanceVirtualClock(std::uint32_t ms);
// With the virtual clock on, every Flip advances it by this many milliseconds (0: never).
void SetClockStepPerFlip(std::uint32_t ms);

// Number of flips done since the process started (or since ResetCounters).
std::uint64_t FlipCount();

enum class InputKind { KeyDown, KeyRepeat, KeyUp, Activate, Deactivate, Close };

struct ScriptedInput {
    std::uint64_t beforeFrame;  // delivered once FlipCount() has reached this value
    InputKind kind;
    int virtualKey;                // for key events (a Windows virtual-key code)
    std::uint32_t clockAdvanceMs;  // advances the virtual clock just before delivery
};

// Queues a scripted event. While the program waits for messages and the script is not empty,
// the next entry is delivered at once whatever its frame (no frames run while waiting).
void ScheduleInput(const ScriptedInput& input);
// The entries not yet delivered.
std::size_t PendingScriptedInputs();
// When the script is exhausted and the program waits for a message, send WM_CLOSE instead of
// blocking, so a scripted run always ends.
void CloseWhenScriptEnds(bool on);

struct FrameView {
    std::uint64_t frameNumber;
    int width;
    int height;
    int bitsPerPixel;
    int pitch;
    const std::uint8_t* pixels;
};
// Called after every Flip with the new front surface's pixels (valid during the call only);
// an empty observer stops the calls.
using FrameObserver = std::function<void(const FrameView&)>;
void SetFrameObserver(FrameObserver observer);

// Every copy into the back buffer, as the system asked for it (after clipping), so benchmarks can
// compose the same frame another way.
struct CopyView {
    const std::uint8_t* sourcePixels;  // the source's pixel (0, 0)
    int sourceWidth, sourceHeight, sourcePitch, bitsPerPixel;
    bool keyed;  // the copy asked for the source colour key
    std::uint32_t key;
    int sourceLeft, sourceTop;
    int left, top, right, bottom;  // the destination
};
// Called for each such copy before it is made; an empty observer stops the calls.
using CopyObserver = std::function<void(const CopyView&)>;
void SetCopyObserver(CopyObserver observer);
// Called with a data file's name each time one is opened, before it is read, so a test can save
// a file while start-up reads the others; an empty observer stops the calls.
using FileOpenObserver = std::function<void(const char* name)>;
void SetFileOpenObserver(FileOpenObserver observer);
// Off: a copy that covers the whole back buffer is written at once instead of being held back
// until the frame is read or shown (so a benchmark can measure what holding back saves).
void HoldBackBackground(bool on);
// Off: copies into the back buffer, the held-back background's included, do all their work but
// move no pixels (so a benchmark can measure what the copies cost apart from their pixels).
void MovePixels(bool on);

struct Faults {
    bool failDirectDrawCreate = false;
    bool failSetCooperativeLevel = false;
    bool failSetDisplayMode = false;
    bool failCreateClipper = false;
    bool failCreateSurface = false;     // every creation
    int failSurfaceCreationNumber = 0;  // the n-th creation from now (1-based) fails; 0: none
    int failRestoreNumber = 0;          // the n-th Restore from now fails; 0: none
    int lockStillDrawing = 0;           // next Locks answer DDERR_WASSTILLDRAWING this often
    bool failGetDC = false;
    bool failFlip = false;  // Flip reports DDERR_GENERIC
    // The next read of a data file (level or picture) that reaches this byte fails as a read
    // error would (EIO); -1: none.
    std::int64_t failFileReadAtByte = -1;
};
// The faults to inject; ResetAll clears them.
Faults& InjectedFaults();
// Refuses (or accepts again) one display mode in SetDisplayMode.
void RefuseDisplayMode(int width, int height, int bitsPerPixel, bool refuse = true);
// Undoes every RefuseDisplayMode.
void AcceptAllDisplayModes();
// Every live surface loses its memory: Blt, BltFast and Flip report DDERR_SURFACELOST until
// Restore.
void LoseAllSurfaces();

// Objects alive now, for the tests that check everything created is released.
int LiveSurfaceCount();
int LiveDeviceContextCount();
int LiveClipperCount();
int LiveDisplayDeviceCount();

// Flip normally waits like a 60 Hz display; benchmarks and tests switch that off.
void SetPacing(bool on);
// Under SDL's dummy driver, show frames anyway (SDL's software renderer into the driver's
// off-screen framebuffer), so tests run the presenter's path. Set before the window is created.
void PresentHeadless(bool on);
// What the window shows now, as XRGB (with PresentHeadless): false when nothing is shown.
bool ReadShownPixels(std::vector<std::uint32_t>& xrgb, int* width, int* height);

// Sets every seam back to its default (clock real, no script, no observer, no faults).
void ResetAll();

}  // namespace test_seams
