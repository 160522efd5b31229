// Files the level tool reads and writes whole: a file read is a regular one, bounded, its read
// errors reported; a file written appears whole or not at all (written beside it under a
// temporary name, then renamed over it), so a failed run never leaves half a file where Tiled or
// the game would read it.
#pragma once

#include <string>

namespace level_tool {

// The largest file the tool reads (a TMX map of 256 x 256 in CSV is about 300 KiB).
constexpr unsigned long long kMaxFileBytes = 64ull << 20;

// Reads a regular file of at most kMaxFileBytes into bytes. False with a reason.
bool ReadWhole(const std::string& path, std::string& bytes, std::string& reason);
// The temporary name a file is written under before PublishWhole puts it in place.
std::string TemporaryBeside(const std::string& path);
// Renames the finished temporary file over path; on failure removes it. False with a reason.
bool PublishWhole(const std::string& temporary, const std::string& path, std::string& reason);
// Writes bytes to path whole, or nothing. False with a reason.
bool WriteWhole(const std::string& path, const std::string& bytes, std::string& reason);

}  // namespace level_tool
