// Screenshots on the desktop: into the user's pictures folder, published whole with a hard link.
#include "platform/pictures/screenshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/display/ddraw.h"
#include "platform/pictures/screenshot_png.h"

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// XDG_PICTURES_DIR="$HOME/Pictures" or an absolute path, as xdg-user-dirs writes it; "" for
// anything else.
std::string FromUserDirs(const std::string& home) {
    std::string config = Variable("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/') config = home + "/.config";
    std::ifstream dirs(config + "/user-dirs.dirs");
    std::string line, found;
    const std::string key = "XDG_PICTURES_DIR=\"";
    while (std::getline(dirs, line)) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0)
            found = home + value.substr(5);
        else if (!value.empty() && value[0] == '/')
            found = value;
    }
    return found;
}

ScreenshotOutcome Failed(const std::string& folder, const char* why) {
    return {false, folder + ": " + why};
}

}  // namespace

std::string PicturesFolder() {
    const std::string home = Variable("HOME");
    std::string folder = FromUserDirs(home);
    if (folder.empty()) folder = Variable("XDG_PICTURES_DIR");
    if (!folder.empty()) return folder;
    if (IsFolder(home + "/Pictures")) return home + "/Pictures";
    return home.empty() ? "." : home;
}

ScreenshotOutcome SaveScreenshot(const IDirectDrawSurface& surface, const std::string& folder,
                                 std::time_t when) {
    if (surface.pixels() == nullptr) return Failed(folder, "there is no frame to save");
    std::string temporary = folder + "/.vorn7-screenshot-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Failed(folder, std::strerror(errno));
    ::fchmod(fd, 0644);
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return Failed(folder, "the file could not be written");
    }
    const int error = screenshot_png::WriteFrame(surface, file) ? 0 : (errno != 0 ? errno : EIO);
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Failed(folder, std::strerror(error));
    }
    // A hard link publishes the whole file under a name no one has, or fails: nothing taken.
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string path = folder + "/" + screenshot_png::NameAt(when, attempt);
        if (::link(temporary.c_str(), path.c_str()) == 0) {
            ::unlink(temporary.c_str());
            return {true, path};
        }
        if (errno == EEXIST) continue;
        // Also a folder without hard links (FAT): said, rather than risk replacing a file.
        const int linkError = errno;
        ::unlink(temporary.c_str());
        return Failed(folder, std::strerror(linkError));
    }
    ::unlink(temporary.c_str());
    return Failed(folder, "every name for this second is taken");
}
