// Internal to src/platform/: the thread's message queue, a fixed ring (posting allocates
// nothing). Used by the message pump (messages.cpp), SDL's events, the window (which drops its
// messages when it goes) and the scripted input; the gamepads and the watch post through
// PostMessageInternal (platform_state.h).
#pragma once

#include <cstddef>

#include "platform/win_types.h"

namespace message_queue {

// Input is taken from SDL (and from the test script) only while some slots stay free: a burst
// waits in SDL's own, far larger queue, and the messages the system posts itself (the quit
// message above all) always find room.
bool RoomForInput();
// Appends a message; there is always room for the system's own.
void Push(const MSG& message);
// The oldest message (the queue must not be empty), and taking it.
const MSG& Front();
MSG Pop();
std::size_t Count();
// Drops every message for window but the quit message, whose window becomes null.
void DropMessagesFor(HWND window);

}  // namespace message_queue
