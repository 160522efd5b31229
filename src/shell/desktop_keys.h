// The desktop's keys beside the game's own: F11 and Alt+Enter switch between full screen and a
// window, F12 saves a screenshot of the shown frame (with a notice on the overlay for two
// seconds). Called by the window procedure before the game's keys.
#pragma once

#include "platform/win_types.h"

// True when the key message was one of the desktop's keys (and has been handled).
bool OnDesktopKey(HWND window, UINT message, WPARAM virtualKey);
// The last screenshot's notice ("Screenshot: NAME" or why none was saved); "" once two seconds
// have passed.
const char* ScreenshotNotice();
// The notice dropped, as at a start (the tests' fresh globals).
void ForgetScreenshotNotice();
