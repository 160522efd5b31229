// DirectDraw-style display objects over an emulated full-screen display: 640x480, 800x600 and
// 1024x768 at 8 (one fixed palette), 16 (RGB565), 24 (packed) and 32 (XRGB, top byte 0) bits.
// Used by the display (the device, the flip chain, the colour measurement), graphics (the strips,
// the tile banks, the pictures' copies), the world's and the actors' draws and the frame tick.
// Each operation does what its DirectDraw namesake does for this program's calls and returns
// DD_OK or a negative DDERR_ code. Each object has a header of its own (the records and codes,
// the device, the surface, the clipper), whose comments name what is particular to this
// platform; the rest of the system includes this one.
#pragma once

#include "platform/display/ddraw_clipper.h"
#include "platform/display/ddraw_device.h"
#include "platform/display/ddraw_surface.h"
#include "platform/display/ddraw_types.h"
