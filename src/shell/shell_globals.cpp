#include "shell/shell_globals.h"

HWND MainWindow = nullptr;
std::int32_t AppActive = 0;
Bitmap ShellSpriteSheet;
ClippedSurfaceStrip* UpperRowStrip = nullptr;
ClippedSurfaceStrip* LowerRowStrip = nullptr;
