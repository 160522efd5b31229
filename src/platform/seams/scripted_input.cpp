// The test script's inputs, delivered as the window's messages when their frame is due. Called by
// the window's message pump.
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"
#include "platform/window/message_queue.h"

namespace platform_internal {

void DeliverDueScriptedInputs() {
    auto& s = Seams();
    while (message_queue::RoomForInput() && !s.script.empty() &&
           s.script.front().beforeFrame <= s.flips) {
        const test_seams::ScriptedInput in = s.script.front();
        s.script.pop_front();
        if (in.clockAdvanceMs) s.virtualNow += in.clockAdvanceMs;
        HWND w = TheWindow();
        switch (in.kind) {
            case test_seams::InputKind::KeyDown:
            case test_seams::InputKind::KeyRepeat:
                message_queue::Push(
                    {w, WM_KEYDOWN, static_cast<WPARAM>(in.virtualKey), 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::KeyUp:
                message_queue::Push(
                    {w, WM_KEYUP, static_cast<WPARAM>(in.virtualKey), 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::Activate:
                message_queue::Push({w, WM_ACTIVATEAPP, 1, 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::Deactivate:
                message_queue::Push({w, WM_ACTIVATEAPP, 0, 0, 0, {0, 0}});
                break;
            case test_seams::InputKind::Close:
                message_queue::Push({w, WM_CLOSE, 0, 0, 0, {0, 0}});
                break;
        }
    }
}

}  // namespace platform_internal
