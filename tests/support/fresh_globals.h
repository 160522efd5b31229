// Every test of vorn7_tests starts from the globals a fresh process has, so the tests pass run
// together in one process as well as one process each (as ctest runs them). Called before each
// test by the tests' main (fresh_globals.cpp registers it).
#pragma once

namespace fresh_globals {

// The seams, the display mode, the shell's launch options, camera and frame timing, the level
// folder and the world's actors, as at process start; the window's kept place (XDG_STATE_HOME)
// in a folder of the tests' own.
void Reset();

}  // namespace fresh_globals
