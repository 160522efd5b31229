// check: the level format's rules as a linter. Each finding is one line
// "FILE:LINE:COLUMN: error|warning|note: text", as compilers print them.
#pragma once

#include <string>
#include <vector>

namespace level_tool {

struct Finding {
    int line, column;
    const char* severity;  // "error", "warning" or "note"
    std::string text;
};

// The findings for a level file's bytes; blocks: the file is a block grid (indices 0 to 2).
std::vector<Finding> CheckLevel(const std::string& bytes, bool blocks);

}  // namespace level_tool
