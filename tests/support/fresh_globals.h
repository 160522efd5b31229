// Every test of vorn7_tests starts from the globals a fresh process has, so the tests pass run
// together in one process as well as one process each (as ctest runs them). Called before each
// test by the tests' main (fresh_globals.cpp registers it).
#pragma once

namespace fresh_globals {

// As at process start: a window a failed test left and the queued messages, the seams, the
// display mode, the shell's launch options, camera, frame timing and clock, the player's keys and
// controls, the reload problems, F12's notice, the level folder and the world's banks and actors.
void Reset();

}  // namespace fresh_globals
