// GDI-style pictures, device contexts, pixel access and text. Used by Bitmap (loading a picture,
// copying it into surfaces), the display's colour measurement (MatchColour) and the overlay's
// text (FrameTick).
#pragma once

#include "platform/win_types.h"

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_LOADFROMFILE = 0x00000010u;
constexpr UINT LR_CREATEDIBSECTION = 0x00002000u;
constexpr int COLORONCOLOR = 3;
constexpr int MM_TEXT = 1;
constexpr DWORD SRCCOPY = 0x00CC0020u;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_WORDBREAK = 0x0010;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

// Loads a BMP file in its own pixel format; null for a missing, unreadable, truncated or non-BMP
// file, an unsupported compression, or a picture over 8192 on a side.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
// Why the last LoadImageA failed, in a few words.
const char* GetLastLoadErrorText();
// Fills a BITMAP with the picture's size and depth; 0 for a null picture or a short buffer.
int GetObjectA(HGDIOBJ object, int size, void* description);
// Frees a loaded picture; FALSE for null.
BOOL DeleteObject(HGDIOBJ object);

// A memory context for selecting a picture into; DeleteDC refuses (FALSE) a surface's context,
// which goes back through the surface's ReleaseDC.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// Selects a picture into a memory context, returning the one selected before (null on a
// surface's context).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Kept for the callers' sake: only one-to-one copies exist. Each returns the previous
// setting, 0 for a null context.
int GetMapMode(HDC dc);
int SetMapMode(HDC dc, int mode);
int SetStretchBltMode(HDC dc, int mode);
// Copies a picture rectangle into a surface, converting to its format. Only equal sizes are
// offered; parts outside the picture or the surface are left out.
BOOL StretchBlt(HDC dest, int destX, int destY, int destWidth, int destHeight, HDC source,
                int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop);

// Outside the surface: CLR_INVALID, and SetPixel writes nothing.
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);

// Left and top aligned, a new line at each "\n", clipped to the rectangle; black text on white
// behind each line's text. DT_WORDBREAK also breaks a line between words where the next would
// pass the rectangle's right edge. Returns the height drawn.
int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format);
