#include "level_check.h"

namespace level_tool {

std::vector<Finding> CheckLevel(const std::string& bytes, bool blocks) {
    std::vector<Finding> findings;
    std::size_t at = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        findings.push_back(
            {1, 1, "warning", "a UTF-8 byte-order mark (the game skips it; other tools may not)"});
        at = 3;
    }
    const int highest = blocks ? 2 : 63;  // indices above are drawn as empty
    int complete = 0, longLines = 0;
    bool crlfNoted = false;
    while (at < bytes.size() && complete < 256) {
        const std::size_t end = bytes.find('\n', at);
        const bool terminated = end != std::string::npos;
        std::size_t length = (terminated ? end : bytes.size()) - at;
        const int line = complete + 1;
        if (length > 0 && bytes[at + length - 1] == '\r' && terminated) {
            --length;
            if (!crlfNoted)
                findings.push_back({line, static_cast<int>(length) + 1, "note",
                                    "CR LF line ends (allowed; read as LF)"});
            crlfNoted = true;
        }
        if (!terminated && line < 256) break;  // ends the file too early: reported below
        if (length < 256)
            findings.push_back({line, static_cast<int>(length) + 1, "warning",
                                "the line has " + std::to_string(length) +
                                    " characters; its last " + std::to_string(256 - length) +
                                    " cells are empty"});
        if (length > 256) ++longLines;
        int beyond = 0, first = 0;
        for (std::size_t column = 0; column < length && column < 256; ++column) {
            const int index = static_cast<signed char>(bytes[at + column]) - 61;
            if (index > highest && ++beyond == 1) first = static_cast<int>(column) + 1;
        }
        if (beyond > 0) {
            const char c = bytes[at + static_cast<std::size_t>(first) - 1];
            findings.push_back(
                {line, first, "warning",
                 std::string("character '") + c + "' gives " + (blocks ? "block " : "tile ") +
                     std::to_string(static_cast<signed char>(c) - 61) +
                     ", which the game shows as empty" +
                     (beyond > 1 ? " (and " + std::to_string(beyond - 1) + " more on this line)"
                                 : std::string())});
        }
        ++complete;
        at = terminated ? end + 1 : bytes.size();
    }
    if (complete < 256)
        findings.push_back(
            {complete + 1, 1, "error",
             "the file ends after " + std::to_string(complete) + " lines; a level has 256"});
    if (longLines > 0)
        findings.push_back({1, 257, "note",
                            std::to_string(longLines) +
                                " lines are longer than 256 characters; the rest is ignored"});
    if (complete == 256 && at < bytes.size())
        findings.push_back({257, 1, "note", "lines after the 256th are ignored"});
    return findings;
}

}  // namespace level_tool
