#include "platform/files/file_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/platform_state.h"

namespace {

struct WatchedFile {
    int folder = -1;   // the inotify watch of its folder
    std::string name;  // its name in that folder
    bool changed = false;
};

int g_fd = -1;
std::vector<WatchedFile> g_files;

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    const std::size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// Marks every watched file that the waiting events name.
void ReadEvents() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(g_fd, buffer, sizeof buffer);
        if (got <= 0) return;  // EAGAIN: nothing more waits
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (at > got) continue;
            // The folder itself renamed, moved or deleted: each of its files is as good as
            // changed, and the game looks at why.
            const bool folderGone = (event->mask & (IN_MOVE_SELF | IN_DELETE_SELF)) != 0;
            if (event->len == 0 && !folderGone) continue;
            for (WatchedFile& file : g_files)
                if (file.folder == event->wd && (folderGone || file.name == event->name))
                    file.changed = true;
        }
    }
}

}  // namespace

bool WatchFiles(const std::vector<std::string>& paths, std::string& reason) {
    StopWatchingFiles();
    g_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (g_fd < 0) {
        reason = std::string("files cannot be watched: ") + std::strerror(errno);
        return false;
    }
    for (const std::string& path : paths) {
        WatchedFile file;
        std::string folder;
        SplitPath(path, folder, file.name);
        // IN_CREATE too: Qt's programs (Tiled) make a new file by linking a whole temporary one
        // into place, which neither closes nor renames anything under the file's name.
        file.folder = ::inotify_add_watch(g_fd, folder.c_str(),
                                          IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE |
                                              IN_MOVED_FROM | IN_MOVE_SELF | IN_DELETE_SELF);
        if (file.folder < 0) {
            reason = folder + ": cannot be watched: " + std::strerror(errno);
            StopWatchingFiles();
            return false;
        }
        g_files.push_back(std::move(file));
    }
    return true;
}

void StopWatchingFiles() {
    if (g_fd >= 0) ::close(g_fd);
    g_fd = -1;
    g_files.clear();
}

namespace platform_internal {

bool WatchingFiles() {
    return g_fd >= 0;
}

void PostFileChanges(HWND window) {
    if (g_fd < 0 || window == nullptr) return;
    ReadEvents();
    for (std::size_t i = 0; i < g_files.size(); ++i) {
        if (!g_files[i].changed) continue;
        g_files[i].changed = false;
        PostMessageInternal(window, WM_FILECHANGED, static_cast<WPARAM>(i));
    }
}

}  // namespace platform_internal
