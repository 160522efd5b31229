// The watch in the browser: nothing else writes the page's files, so the page says which file it
// wrote (a level file or picture dropped on it) by calling vorn7_file_written.
#include <emscripten.h>

#include "platform/files/data_path.h"
#include "platform/files/file_watch.h"
#include "platform/platform_state.h"

namespace {

struct WatchedFile {
    std::string path;
    bool changed = false;
};

bool g_watching = false;
std::vector<WatchedFile> g_files;

}  // namespace

bool WatchFiles(const std::vector<std::string>& paths, std::string&) {
    StopWatchingFiles();
    for (const std::string& path : paths) g_files.push_back({path, false});
    g_watching = true;
    return true;
}

void StopWatchingFiles() {
    g_watching = false;
    g_files.clear();
}

// A file the page wrote: the watched file of that path, or of the same data name (a file new to
// the level folder stands for the game's own that was read in its place).
extern "C" EMSCRIPTEN_KEEPALIVE void vorn7_file_written(const char* path) {
    if (path == nullptr) return;
    const std::string written = data_path::NameInFolder(path);
    for (WatchedFile& file : g_files)
        if (written == data_path::NameInFolder(file.path)) file.changed = true;
}

namespace platform_internal {

bool WatchingFiles() {
    return g_watching;
}

void PostFileChanges(HWND window) {
    if (!g_watching || window == nullptr) return;
    for (std::size_t i = 0; i < g_files.size(); ++i) {
        if (!g_files[i].changed) continue;
        g_files[i].changed = false;
        PostMessageInternal(window, WM_FILECHANGED, static_cast<WPARAM>(i));
    }
}

}  // namespace platform_internal
