// Change notifications for named files, as a window receives them on Windows: each file that is
// rewritten and closed, created, or replaced by a rename, queues one WM_FILECHANGED for the window,
// its wParam the file's position in the list given to WatchFiles. Several changes of one file
// before the messages are read make one message. Called by the shell's live reload (vorn7 --watch).
// file_watch_desktop.cpp watches the folders with inotify; file_watch_web.cpp hears of the files
// the page writes (a level file or picture dropped on it).
#pragma once

#include <string>
#include <vector>

// Watches the files (their folders, with inotify, so that a rename over a file is seen too).
// Replaces any earlier watch. False with the reason when a folder cannot be watched.
[[nodiscard]] bool WatchFiles(const std::vector<std::string>& paths, std::string& reason);
// Ends the watch; harmless without one.
void StopWatchingFiles();
