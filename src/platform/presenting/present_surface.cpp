// A flipped frame on its way to the screen: counted and observed for the tests, sent to the
// window through its presenter, then paced as a 60 Hz display.
#include <cstdint>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"
#include "platform/window/pacing.h"
#include "platform/window/window_object.h"
#include "platform/window/window_system.h"

namespace platform_internal {

void PresentSurface(const IDirectDrawSurface& front) {
    bool paced = true;
    if constexpr (kTestSeams) {
        auto& seams = Seams();
        ++seams.flips;
        if (seams.virtualClock) seams.virtualNow += seams.clockStepPerFlip;
        if (seams.observer)
            seams.observer({seams.flips, front.width(), front.height(), front.bitsPerPixel(),
                            front.pitch(), front.pixels()});
        paced = seams.pacing && !seams.virtualClock;
    }

    WindowObject* w = TheWindow();
    if (w == nullptr || w->headless) return;
    window_system::FollowFrame(w->sdl, front.width(), front.height());
    w->presenter.Show(front);

    // Pace as a 60 Hz display unless the renderer already waits for a 60 Hz vsync: one sleep
    // to the next deadline.
    if (!paced || w->presenter.WaitsForVsync()) return;
    pacing::SleepToNextFrame();
}

}  // namespace platform_internal

bool platform_internal::ReadWindowPixels(std::vector<std::uint32_t>& xrgb, int* width,
                                         int* height) {
    WindowObject* w = platform_internal::TheWindow();
    return w != nullptr && !w->headless && w->presenter.ReadShown(xrgb, width, height);
}
