#include "graphics/load_failure.h"

#include <cstdio>

namespace load_failure {
namespace {
char g_text[512] = "";
}

void Note(const char* file, const char* reason) {
    if (g_text[0] != '\0') return;
    std::snprintf(g_text, sizeof g_text, "%s: %s", file ? file : "?", reason ? reason : "failed");
}

const char* Text() {
    return g_text;
}

void Clear() {
    g_text[0] = '\0';
}

}  // namespace load_failure
