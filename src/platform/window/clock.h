// The millisecond timer. Read by the shell's frame clock and the gamepads' repeats.
#pragma once

#include "platform/win_types.h"

// Milliseconds since start, unsigned 32-bit and wrapping (the virtual clock when tests set one).
DWORD timeGetTime();
