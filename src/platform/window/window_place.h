// Where a window goes on the desktop: whether a remembered place can still be seen (a monitor may
// have gone), and where a new window covers least of the others. Called by the desktop's window
// system when the window is made and when it leaves full screen; the arithmetic alone, so that the
// tests give it desktops of their own.
#pragma once

#include <span>

namespace window_place {

// A rectangle of the desktop, in the root window's pixels.
struct Box {
    int x, y, width, height;
};

struct Spot {
    int x, y;
};

// Whether enough of box lies on one of the displays to be seen and taken hold of: 64 by 64
// pixels of it (all of it, where it is smaller) on a single display.
bool IsOnADisplay(const Box& box, std::span<const Box> displays);

// Where a window of width by height goes so that it covers as little of the other windows as it
// can: centred on a work area when that covers nothing, else beside the largest other window on
// the side with room for it (at the start, middle or end of that side), else flush with the
// work area's edge on the side with the most room. Work areas are tried in order (the first
// display's first); a window larger than its work area starts at its top-left. Without work areas,
// (0, 0).
Spot ChooseFreePlace(std::span<const Box> workAreas, std::span<const Box> others, int width,
                     int height);

}  // namespace window_place
