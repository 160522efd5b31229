// The window's placement kept in the user's state folder, as a few lines of text:
//   full-screen yes|no
//   place X Y      (the outer top-left; with size, or neither)
//   size W H       (the inside's)
#include "platform/window/window_memory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/files/regular_file.h"

namespace {

constexpr std::uint64_t kMostBytes = 4096;
constexpr int kFarthest = 1000000;  // a place farther out than any desktop reaches
constexpr int kSmallest = 16;
constexpr int kLargest = 16384;  // SDL's and X's limit on a window's side

std::string StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    // A relative XDG_STATE_HOME is not to be used, as the XDG base directories say.
    if (state != nullptr && state[0] == '/') return state;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state";
    return "";
}

// A whole number of at most seven digits, after an optional minus sign, within [low, high].
bool ParseNumber(std::string_view text, int low, int high, int& value) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 7) return false;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    value = negative ? -number : number;
    return value >= low && value <= high;
}

// The line's words, split at single spaces; false when it has another count of them.
bool Split(std::string_view line, std::string_view* words, int count) {
    int n = 0;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        if (n == count) return false;
        words[n++] = line.substr(0, space);
        if (space == std::string_view::npos) break;
        line.remove_prefix(space + 1);
        if (line.empty()) return false;  // a space at the end
    }
    return n == count;
}

bool Parse(std::string_view text, WindowPlacement& placement) {
    WindowPlacement read;
    bool hasFullScreen = false, hasPlace = false, hasSize = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == '#') continue;
        std::string_view w[3];
        if (Split(line, w, 2) && w[0] == "full-screen" && !hasFullScreen) {
            if (w[1] != "yes" && w[1] != "no") return false;
            read.fullScreen = w[1] == "yes";
            hasFullScreen = true;
        } else if (Split(line, w, 3) && w[0] == "place" && !hasPlace) {
            if (!ParseNumber(w[1], -kFarthest, kFarthest, read.x) ||
                !ParseNumber(w[2], -kFarthest, kFarthest, read.y))
                return false;
            hasPlace = true;
        } else if (Split(line, w, 3) && w[0] == "size" && !hasSize) {
            if (!ParseNumber(w[1], kSmallest, kLargest, read.width) ||
                !ParseNumber(w[2], kSmallest, kLargest, read.height))
                return false;
            hasSize = true;
        } else {
            return false;
        }
    }
    if (!hasFullScreen || hasPlace != hasSize) return false;
    read.placed = hasPlace;
    placement = read;
    return true;
}

// Makes each missing folder of path, private to the user as the XDG base directories ask.
void MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string WindowMemoryFile() {
    const std::string folder = StateFolder();
    return folder.empty() ? "" : folder + "/vorn7/window";
}

bool RecallWindowPlacement(WindowPlacement& placement) {
    const std::string path = WindowMemoryFile();
    if (path.empty()) return false;
    RegularFile file(path.c_str(), kMostBytes);
    std::string text;
    if (!file.ok() || !file.ReadAll(text)) return false;
    return Parse(text, placement);
}

void RememberWindowPlacement(const WindowPlacement& placement) {
    const std::string path = WindowMemoryFile();
    if (path.empty()) return;
    std::string text =
        "# Vorn7's window as the game last ended: delete this file to forget it.\n"
        "full-screen ";
    text += placement.fullScreen ? "yes\n" : "no\n";
    if (placement.placed && placement.width >= kSmallest && placement.height >= kSmallest) {
        char lines[96];
        std::snprintf(lines, sizeof lines, "place %d %d\nsize %d %d\n", placement.x, placement.y,
                      std::min(placement.width, kLargest), std::min(placement.height, kLargest));
        text += lines;
    }
    const std::string folder = path.substr(0, path.rfind('/'));
    MakeFolders(folder);
    std::string temporary = folder + "/.window-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (!WriteAll(fd, text)) error = errno != 0 ? errno : EIO;
        if (::close(fd) != 0 && error == 0) error = errno;
        if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
        if (error != 0) ::unlink(temporary.c_str());
    }
    if (error != 0)
        std::fprintf(stderr, "vorn7: %s: the window's place was not remembered (%s)\n",
                     path.c_str(), std::strerror(error));
}
