// Brings the program up to the point where frames run (window, display, levels, pictures,
// surfaces) through the game's own start-up, without showing anything: for the benchmarks and the
// level tools, which draw with the game's own code.
#pragma once

namespace headless_start {

// Idempotent; changes the working directory to dataDir. Returns false (with the one-line
// reason on standard error) when start-up fails.
bool Start(const char* dataDir);

}  // namespace headless_start
