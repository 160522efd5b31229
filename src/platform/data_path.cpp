#include "platform/data_path.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace data_path {
namespace {
std::string g_folder;

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(folder, error);
    return error ? folder : path.lexically_normal().string();
}
}  // namespace

void SetLevelFolder(const std::string& folder) {
    g_folder = folder.empty() ? std::string() : AbsoluteFolder(folder);
    while (g_folder.size() > 1 && g_folder.back() == '/') g_folder.pop_back();
}

const std::string& LevelFolder() {
    return g_folder;
}

std::string Resolve(const char* name) {
    if (name == nullptr) return std::string();
    if (g_folder.empty() || name[0] == '/') return name;
    std::string candidate = g_folder + '/' + name;
    // Anything present there is the folder's own, even a file that will be refused: a broken
    // level of one's own must not be silently replaced by the game's.
    struct stat info {};
    return ::lstat(candidate.c_str(), &info) == 0 ? candidate : std::string(name);
}

std::string FoldersSearched() {
    std::error_code error;
    const std::string data = std::filesystem::current_path(error).string();
    return g_folder.empty() ? data : g_folder + " and " + data;
}

}  // namespace data_path
