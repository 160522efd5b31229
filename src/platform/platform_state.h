// Internal to src/platform/: the layer's private interface between its files (the window, the
// display and GDI halves, the watch, the gamepads). The seams' state is apart, in seam_state.h.
#pragma once

#include "platform/win_types.h"

class IDirectDrawSurface;

namespace platform_internal {

// Queues a message for the thread (fixed capacity; nothing is allocated per message).
void PostMessageInternal(HWND window, UINT message, WPARAM wParam);
// The program's window, or null before CreateWindowExA and after DestroyWindow.
HWND TheWindow();

// The screen: shows a surface scaled to the window with its aspect kept, paced as 60 Hz
// (present_surface.cpp). Flip calls it.
void PresentSurface(const IDirectDrawSurface& front);
// Shows or hides the system pointer over the window (ShowCursor's count decides).
void HideOrShowPointer(bool visible);

// Device contexts of surfaces. A surface keeps its context object for reuse, so taking and
// handing back a context every frame allocates nothing.
HDC TakeSurfaceDC(IDirectDrawSurface* surface, HDC& cache);
// ReleaseDC's half: the context goes back into the surface's cache.
void GiveBackSurfaceDC(HDC dc);
// Frees a surface's cached context when the surface is destroyed.
void FreeSurfaceDC(HDC cache);
// Marks every live surface lost, as a lost display would (for test_seams::LoseAllSurfaces).
void LoseEverySurface();

// File watch: whether a watch is on, and queueing WM_FILECHANGED for each file changed since
// the last call (the message pump calls it while the queue has room).
bool WatchingFiles();
void PostFileChanges(HWND window);

}  // namespace platform_internal
