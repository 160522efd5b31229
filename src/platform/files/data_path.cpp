#include "platform/files/data_path.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace data_path {
namespace {
std::string g_folder;

namespace fs = std::filesystem;

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code error;
    const fs::path path = fs::absolute(folder, error);
    return error ? folder : path.lexically_normal().string();
}

// Every data folder has the tile level; the platform does not know the world's names.
bool HoldsData(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "x2.lvl", error);
}

}  // namespace

// Found once; "" where it is not there (the tests' programs, the browser).
const std::string& FoundGameData() {
    static const std::string found = [] {
        const char* chosen = std::getenv("VORN7_DATA");
        if (chosen != nullptr && chosen[0] != '\0') return AbsoluteFolder(chosen);
        std::error_code error;
        const fs::path program = fs::canonical("/proc/self/exe", error);
        if (error) return std::string();
        const fs::path beside = program.parent_path();
        for (const fs::path& candidate :
             {beside / "data", beside / VORN7_DATA_FROM_PROGRAM, beside / VORN7_DATA_FROM_TOOLS})
            if (HoldsData(candidate)) return candidate.lexically_normal().string();
        return std::string();
    }();
    return found;
}

void SetLevelFolder(const std::string& folder) {
    g_folder = folder.empty() ? std::string() : AbsoluteFolder(folder);
    while (g_folder.size() > 1 && g_folder.back() == '/') g_folder.pop_back();
}

const std::string& LevelFolder() {
    return g_folder;
}

std::string GameDataFolder() {
    if (!FoundGameData().empty()) return FoundGameData();
    std::error_code error;
    return fs::current_path(error).string();
}

std::string Resolve(const char* name) {
    if (name == nullptr) return std::string();
    if (name[0] == '/') return name;
    if (!g_folder.empty()) {
        std::string candidate = g_folder + '/' + name;
        // Anything present there is the folder's own, even a file that will be refused: a broken
        // level of one's own must not be silently replaced by the game's.
        struct stat info {};
        if (::lstat(candidate.c_str(), &info) == 0) return candidate;
    }
    return FoundGameData().empty() ? std::string(name) : FoundGameData() + '/' + name;
}

std::string NameInFolder(const std::string& path) {
    for (std::string folder : {g_folder, GameDataFolder()}) {
        if (folder.empty()) continue;
        if (folder.back() != '/') folder += '/';
        if (path.compare(0, folder.size(), folder) == 0) return path.substr(folder.size());
    }
    return path;
}

std::string FoldersSearched() {
    const std::string data = GameDataFolder();
    return g_folder.empty() ? data : g_folder + " and " + data;
}

}  // namespace data_path
