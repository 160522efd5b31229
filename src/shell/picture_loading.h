// The pictures the game reads, as one set: the shell's copy of the walker sheet, the World's
// three and the sprite kinds' sheets. Start-up loads them; the watch reads them again after a save.
#pragma once

#include <cstdint>

// The shell's copy of the walker sheet, checked against its layout; 0 when it does not load.
[[nodiscard]] std::int32_t LoadShellSheet();
// Start-up: the walker sheet, the World's pictures, then every surface. 0 on the first failure
// (its reason is noted in load_failure).
[[nodiscard]] std::int32_t LoadPictures();
// The watch: every picture read again; only when all load do they replace those in memory, and
// then every surface is rebuilt from them. False (the reason in load_failure, when a load gave
// one) leaves pictures and surfaces as they were.
bool ReloadAllPictures();
