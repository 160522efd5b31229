// Every test of vorn7_tests starts from fresh globals: those below as a fresh process has them
// (what every start-up sets again is left as it is), so the tests pass run together in one
// process as well as one process each (as ctest runs them). Called before each test by the
// tests' main (fresh_globals.cpp registers it).
#pragma once

namespace fresh_globals {

// As at process start: a window a failed test left and the queued messages, the seams, the
// display mode, the shell's launch options, camera, frame timing and clock, the player's keys and
// controls, the reload problems, F12's notice, the application's activity, the level folder, the
// frame's scaling and the world's banks and actors.
void Reset();

}  // namespace fresh_globals
