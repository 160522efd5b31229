// Windows-style basic types, constants and message numbers. The rest of the program is written
// against these names; src/platform/ gives them meaning over SDL2.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using ATOM = std::uint16_t;
using LPCSTR = const char*;
using LPSTR = char*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct WindowObject;
struct InstanceObject;
struct DeviceContext;
struct PictureObject;
struct IconObject;
struct CursorObject;
struct BrushObject;
struct MenuObject;
using HWND = WindowObject*;
using HINSTANCE = InstanceObject*;
using HDC = DeviceContext*;
using HBITMAP = PictureObject*;
using HGDIOBJ = PictureObject*;  // the only GDI object this system selects is a picture
using HANDLE = PictureObject*;   // what LoadImageA returns
using HICON = IconObject*;
using HCURSOR = CursorObject*;
using HBRUSH = BrushObject*;
using HMENU = MenuObject*;

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

inline LPCSTR MAKEINTRESOURCEA(int id) {
    return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id));
}

// Window messages.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
// A key pressed or let go while Alt is held.
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_APP = 0x8000;
// A watched file was saved (file_watch.h); wParam is its number in the watch.
constexpr UINT WM_FILECHANGED = WM_APP + 1;

// Virtual-key codes.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_F1 = 0x70;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_GAMEPAD_A = 0xC3;  // a pad's south button: the jump

// Window class and window styles, show commands, system metrics.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000u;  // caption, border, sizing frame, buttons
constexpr DWORD WS_EX_TOPMOST = 0x00000008u;
constexpr int CW_USEDEFAULT = -2147483647 - 1;  // the window system chooses the place
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
