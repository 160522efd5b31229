// Where the program's messages go: standard error, and a message box when no terminal shows it
// (console_desktop.cpp: a box of its own process; console_web.cpp: the page's message line).
// Used by the shell's failure report.
#pragma once

#include "platform/win_types.h"

constexpr UINT MB_OK = 0x00000000u;
constexpr UINT MB_ICONERROR = 0x00000010u;

// Whether standard error is a terminal a user is reading (false when the program was started
// from a menu or a file manager, or its errors go to a file).
bool StandardErrorIsTerminal();
// Shows text in a modal message box; returns 0 when no box can be shown (no display, or SDL's
// dummy driver, where no one would see it).
int MessageBoxA(HWND window, LPCSTR text, LPCSTR caption, UINT type);
