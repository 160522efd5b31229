// The one window: its class, creation, showing, focus, pointer, full screen and destruction.
// Called by the shell (start-up, the window procedure, the desktop's keys). Its messages are
// messages.h, the timer clock.h.
#pragma once

#include "platform/win_types.h"

// Remembers the one class's window procedure; 0 without a class name.
ATOM RegisterClassA(const WNDCLASSA* windowClass);
// Creates the window and sends WM_CREATE: WS_POPUP is full screen (the size passed is taken as
// the desktop's), WS_OVERLAPPEDWINDOW a resizable window of the size passed with its outer
// top-left (its frame's) at x, y; at CW_USEDEFAULT, or where that is on no display, where it
// covers least of the other windows. The class's icon becomes the window's.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
// SM_CXSCREEN and SM_CYSCREEN: the desktop's size; 0 for anything else or without a display.
int GetSystemMetrics(int index);
// Why the last CreateWindowExA failed: no display to show anything on, or SDL's reason.
const char* GetLastWindowErrorText();
// The program's icon, whatever the name: the picture vorn7.png in the data folder; null when it
// is missing or unreadable (the window then has none).
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);  // the system pointer: always null
// Shows the window and activates it: the window procedure receives WM_ACTIVATEAPP 1.
BOOL ShowWindow(HWND window, int showCommand);
// TRUE for the program's window (it is drawn by Flip, not here).
BOOL UpdateWindow(HWND window);
// Raises the window and takes the keyboard; null for any other window.
HWND SetFocus(HWND window);
// The display count as on Windows: the pointer is hidden over the game while it is negative.
int ShowCursor(BOOL show);

// Runs WM_DESTROY through the window procedure before it returns.
BOOL DestroyWindow(HWND window);
// Default handling: WM_CLOSE destroys the window; everything else gives 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Beyond Windows' calls, the desktop's conventions (the shell's F11 and Alt+Enter, --scale).
// Full screen as the window manager knows it, or a resizable window of the frame's size; the
// frames, the display mode and their timing go on unchanged.
BOOL SetFullScreen(HWND window, BOOL fullScreen);
BOOL IsFullScreen(HWND window);
// Where the window is outside full screen, and whether it is full screen: what the shell keeps
// between runs (window_memory.h). x, y: the outer top-left, as CreateWindowExA takes it; width,
// height: the inside's size.
struct WindowPlacement {
    bool fullScreen = false;
    bool placed = false;  // x, y, width, height hold a place (none for a window full screen since
                          // it was made, with none set)
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// The window's placement now; FALSE for a window no one sees (SDL's dummy driver) and for any
// other window. Called by the shell as the window is destroyed.
BOOL GetWindowPlacement(HWND window, WindowPlacement* placement);
// Sets the place the window takes when it next leaves full screen (fullScreen is not looked at).
// Called by start-up for a full-screen start with a remembered place.
BOOL SetWindowPlacement(HWND window, const WindowPlacement* placement);
// How the frame fills the window: the largest fit with its aspect kept (the default), or the
// largest whole-number factor, centred, for crisp pixels.
void ScaleFrameByWholeFactors(BOOL on);
