#include "platform/seams/test_seams.h"

#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

namespace platform_internal {

SeamState g_seamState;

}  // namespace platform_internal

namespace test_seams {

using platform_internal::Seams;

void UseVirtualClock(bool on, std::uint32_t startMs) {
    Seams().virtualClock = on;
    Seams().virtualNow = startMs;
}

void AdvanceVirtualClock(std::uint32_t ms) {
    Seams().virtualNow += ms;
}
void SetClockStepPerFlip(std::uint32_t ms) {
    Seams().clockStepPerFlip = ms;
}
std::uint64_t FlipCount() {
    return Seams().flips;
}

void ScheduleInput(const ScriptedInput& input) {
    Seams().script.push_back(input);
}
std::size_t PendingScriptedInputs() {
    return Seams().script.size();
}
void CloseWhenScriptEnds(bool on) {
    Seams().closeWhenScriptEnds = on;
}

void SetFrameObserver(FrameObserver observer) {
    Seams().observer = std::move(observer);
}

void SetCopyObserver(CopyObserver observer) {
    Seams().copyObserver = std::move(observer);
}

void SetFileOpenObserver(FileOpenObserver observer) {
    Seams().fileOpenObserver = std::move(observer);
}

void HoldBackBackground(bool on) {
    Seams().holdBackBackground = on;
}

void MovePixels(bool on) {
    Seams().movePixels = on;
}

Faults& InjectedFaults() {
    return Seams().faults;
}

void RefuseDisplayMode(int width, int height, int bitsPerPixel, bool refuse) {
    const int index = platform_internal::ModeIndex(width, height, bitsPerPixel);
    if (index >= 0) Seams().refusedModes[static_cast<std::size_t>(index)] = refuse;
}

void AcceptAllDisplayModes() {
    Seams().refusedModes.fill(false);
}

void LoseAllSurfaces() {
    platform_internal::LoseEverySurface();
}

int LiveSurfaceCount() {
    return Seams().liveSurfaces;
}
int LiveDeviceContextCount() {
    return Seams().liveDCs;
}
int LiveClipperCount() {
    return Seams().liveClippers;
}
int LiveDisplayDeviceCount() {
    return Seams().liveDevices;
}

void SetPacing(bool on) {
    Seams().pacing = on;
}

void PresentHeadless(bool on) {
    Seams().presentHeadless = on;
}

void ResetAll() {
    auto& s = Seams();
    const int surfaces = s.liveSurfaces, dcs = s.liveDCs, clippers = s.liveClippers,
              devices = s.liveDevices;
    s = platform_internal::SeamState{};
    // Live counts describe objects that still exist; a reset does not forget them.
    s.liveSurfaces = surfaces;
    s.liveDCs = dcs;
    s.liveClippers = clippers;
    s.liveDevices = devices;
}

}  // namespace test_seams

bool test_seams::ReadShownPixels(std::vector<std::uint32_t>& xrgb, int* width, int* height) {
    return platform_internal::ReadWindowPixels(xrgb, width, height);
}
