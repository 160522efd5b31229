// The watch in the browser: nothing else writes the page's files, so the page says which file it
// wrote (a level file or picture dropped on it) by calling vorn7_file_written.
#include <emscripten.h>

#include "platform/files/file_watch.h"

#include <filesystem>
#include <system_error>

#include "platform/files/data_path.h"
#include "platform/platform_state.h"

namespace {

struct WatchedFile {
    std::string path;
    bool changed = false;
};

bool g_watching = false;
std::vector<WatchedFile> g_files;

// A data file's name as its folder knows it (gfx/tiles.bmp), whether that folder is the level
// folder or the game's own data (the working directory).
std::string DataName(const std::string& path) {
    for (std::string folder : {data_path::LevelFolder(), data_path::GameDataFolder()}) {
        if (folder.empty()) continue;
        if (folder.back() != '/') folder += '/';
        if (path.compare(0, folder.size(), folder) == 0) return path.substr(folder.size());
    }
    return path;
}

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
    const std::string written = DataName(path);
    for (WatchedFile& file : g_files)
        if (written == DataName(file.path)) file.changed = true;
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
