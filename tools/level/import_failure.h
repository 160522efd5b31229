// Why from-tiled refuses a map: the file, the line and the reason. Thrown by the map and tileset
// readers, told as one line by ImportFromTiled.
#pragma once

#include <string>

namespace level_tool {

struct Failure {
    std::string file;
    long line;  // 0: the file as a whole
    std::string reason;
};

}  // namespace level_tool
