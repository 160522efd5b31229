// The thread's messages: the main loop takes them and hands them to the window procedure. Called
// by the shell's main loop and its window procedure (WM_DESTROY's quit).
#pragma once

#include "platform/win_types.h"

// Reports whether a message waits (PM_NOREMOVE takes nothing; PM_REMOVE takes it into *message).
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlag);
// Takes the next message, waiting for one; returns 0 for WM_QUIT, whose wParam is the exit code.
BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax);
// Key messages carry virtual keys already: nothing to translate, always FALSE.
BOOL TranslateMessage(const MSG* message);
// Calls the window procedure with the message; 0 for a message to another window.
LRESULT DispatchMessageA(const MSG* message);
// Blocks, without spinning, until a message is waiting.
BOOL WaitMessage();
// Queues WM_QUIT; there is always room for it.
void PostQuitMessage(int exitCode);
