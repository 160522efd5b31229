// vorn7 --watch: the level files and pictures the game read are watched, and a save is loaded
// between two frames (a level into its grid with the actors started again, a picture into its
// surfaces as after a mode switch). The camera, the display mode and the frame timing stay. A
// file that does not load leaves everything as it was; its reason is said once on standard
// error and stays on the overlay until a good save replaces it.
#pragma once

#include <cstddef>

#include <filesystem>

// After start-up, with the files resolved as the game read them. False (reason on standard
// error) when they cannot be watched; the game then runs without watching. In a level folder it
// marks the folder as watched by this game (.vorn7-watching) and follows .vorn7-view, the view
// Tiled's Play asks for. A file saved since readingStarted (while start-up read the others) is
// loaded again at once: no save made from the game's start is missed.
bool StartWatching(std::filesystem::file_time_type readingStarted);
// At the window's destruction: the watch ends and this game's mark leaves the folder.
void StopWatching();
// The window procedure's WM_FILECHANGED: reloads file number index of the watch.
void OnFileChanged(std::size_t index);
// The reason the last save did not load, "" when every watched file loaded.
const char* ReloadProblem();
// Every file's reason forgotten, as at a start (the tests' fresh globals).
void ForgetReloadProblems();
