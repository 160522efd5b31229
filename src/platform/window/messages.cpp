// The message pump: SDL's events, the watched files, the gamepads' repeats and (in the tests'
// variant) the scripted inputs become queued messages; the queue itself is message_queue.*.
#include "platform/window/messages.h"

#include <SDL.h>

#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"
#include "platform/window/clock.h"
#include "platform/window/gamepad.h"
#include "platform/window/message_queue.h"
#include "platform/window/sdl_events.h"
#include "platform/window/window_object.h"
#include "platform/window/window_system.h"

namespace {

void PumpSdl() {
    if constexpr (platform_internal::kTestSeams) platform_internal::DeliverDueScriptedInputs();
    if (message_queue::RoomForInput())
        platform_internal::PostFileChanges(platform_internal::TheWindow());
    if (!window_system::VideoStarted()) return;
    SDL_Event e;
    while (message_queue::RoomForInput() && SDL_PollEvent(&e))
        platform_internal::TranslateSdlEvent(e);
    if (HWND window = platform_internal::TheWindow();
        window != nullptr && message_queue::RoomForInput())
        platform_internal::RepeatHeldDirections(window, timeGetTime());
}

}  // namespace

namespace platform_internal {

void PostMessageInternal(HWND window, UINT message, WPARAM wParam) {
    message_queue::Push({window, message, wParam, 0, 0, {0, 0}});
}

}  // namespace platform_internal

BOOL PeekMessageA(MSG* message, HWND, UINT, UINT, UINT removeFlag) {
    if (message_queue::Count() == 0) PumpSdl();
    if (message_queue::Count() == 0) return FALSE;
    if (message != nullptr) *message = message_queue::Front();
    if (removeFlag & PM_REMOVE) message_queue::Pop();
    return TRUE;
}

BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax) {
    while (message_queue::Count() == 0) WaitMessage();
    MSG m = message_queue::Pop();
    if (message != nullptr) *message = m;
    (void)window;
    (void)filterMin;
    (void)filterMax;
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
    HWND window = platform_internal::TheWindow();
    if (message == nullptr || message->hwnd == nullptr || message->hwnd != window) return 0;
    return window->proc(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL WaitMessage() {
    while (message_queue::Count() == 0) {
        PumpSdl();
        if (message_queue::Count() != 0) break;
        if constexpr (platform_internal::kTestSeams) {
            auto& seams = platform_internal::Seams();
            if (!seams.script.empty()) {
                // No frames run while waiting, so the next scripted entry is due now.
                seams.script.front().beforeFrame = seams.flips;
                continue;
            }
            if (seams.closeWhenScriptEnds) {
                message_queue::Push({platform_internal::TheWindow(), WM_CLOSE, 0, 0, 0, {0, 0}});
                break;
            }
        }
        if (!window_system::VideoStarted()) return FALSE;  // nothing could ever arrive
        // A watched file's change has no SDL event: with a watch on, the wait looks at the
        // files every 20 ms, well inside the 100 ms a save may take to show.
        SDL_Event e;
        if (platform_internal::WatchingFiles() ? SDL_WaitEventTimeout(&e, 20) != 0
                                               : SDL_WaitEvent(&e) != 0)
            platform_internal::TranslateSdlEvent(e);
    }
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    message_queue::Push({nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, 0, {0, 0}});
}
