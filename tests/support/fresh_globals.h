// Every test of vorn7_tests starts from fresh globals: those below as a fresh process has them
// (what every start-up sets again is left as it is), so the tests pass run together in one
// process as well as one process each (as ctest runs them). Called before each test by the
// tests' main (fresh_globals.cpp registers it).
#pragma once

namespace fresh_globals {

// As at process start: the window and its queued messages, the seams, the display mode and the
// frame's scaling, the shell's launch options, camera, frame timing, clock and activity, the
// player's keys and controls, the watch's problems, the screenshot notice, the load failure's
// text, the shell's walker sheet, the level folder, and the World's banks, actors, grids and
// pictures; the window's kept place (XDG_STATE_HOME) in a folder of the tests' own. A global a test
// can change belongs here (docs/CONVENTIONS.md lists them too).
void Reset();

}  // namespace fresh_globals
