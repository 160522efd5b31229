// The one window, its message queue and the millisecond timer. Called by the shell (start-up,
// main loop, window procedure) and by the frame clock.
#pragma once

#include "platform/win_types.h"

ATOM RegisterClassA(const WNDCLASSA* windowClass);
// Creates the borderless window; the size passed is taken as the desktop's size. Sends WM_CREATE.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
int GetSystemMetrics(int index);
// Why the last CreateWindowExA failed: no display to show anything on, or SDL's reason.
const char* GetLastWindowErrorText();
HICON LoadIconA(HINSTANCE instance, LPCSTR name);  // no icon resources: always null
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// Shows the window and activates it: the window procedure receives WM_ACTIVATEAPP 1.
BOOL ShowWindow(HWND window, int showCommand);
BOOL UpdateWindow(HWND window);
HWND SetFocus(HWND window);
int ShowCursor(BOOL show);

// Reports whether a message waits (PM_NOREMOVE takes nothing; PM_REMOVE takes it into *message).
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlag);
// Takes the next message, waiting for one; returns 0 for WM_QUIT, whose wParam is the exit code.
BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
// Blocks, without spinning, until a message is waiting.
BOOL WaitMessage();
// Runs WM_DESTROY through the window procedure before it returns.
BOOL DestroyWindow(HWND window);
void PostQuitMessage(int exitCode);
// Default handling: WM_CLOSE destroys the window; everything else gives 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Milliseconds since start, unsigned 32-bit and wrapping (the virtual clock when tests set one).
DWORD timeGetTime();
