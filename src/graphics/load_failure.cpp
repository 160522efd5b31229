#include "graphics/load_failure.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/files/data_path.h"

namespace load_failure {
namespace {
char g_text[512] = "";
}

std::string WhereOpened(const char* file) {
    if (file == nullptr) return "?";
    std::error_code error;
    const std::string resolved = data_path::Resolve(file);
    const std::filesystem::path path = std::filesystem::absolute(resolved, error);
    return error ? resolved : path.lexically_normal().string();
}

void Note(const char* file, const char* reason) {
    if (g_text[0] != '\0') return;
    std::snprintf(g_text, sizeof g_text, "%s: %s", WhereOpened(file).c_str(),
                  reason ? reason : "failed");
}

const char* Text() {
    return g_text;
}

void Clear() {
    g_text[0] = '\0';
}

}  // namespace load_failure
