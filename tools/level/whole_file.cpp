#include "whole_file.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace level_tool {

namespace fs = std::filesystem;

bool ReadWhole(const std::string& path, std::string& bytes, std::string& reason) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        reason = fs::exists(path, error) ? "not a regular file" : "no such file";
        return false;
    }
    if (fs::file_size(path, error) > kMaxFileBytes) {
        reason = "larger than 64 MiB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        reason = "cannot read the file";
        return false;
    }
    return true;
}

std::string TemporaryBeside(const std::string& path) {
    return path + ".tmp-" + std::to_string(::getpid());
}

bool PublishWhole(const std::string& temporary, const std::string& path, std::string& reason) {
    std::error_code error;
    fs::rename(temporary, path, error);
    if (!error) return true;
    std::remove(temporary.c_str());
    reason = "cannot write the file: " + error.message();
    return false;
}

bool WriteWhole(const std::string& path, const std::string& bytes, std::string& reason) {
    const std::string temporary = TemporaryBeside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            reason = "cannot write the file";
            return false;
        }
    }
    return PublishWhole(temporary, path, reason);
}

}  // namespace level_tool
