// The two level grids, designed in code: 256 lines of 256 characters each, character code minus
// 61 = tile index, "<" empty.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

std::vector<std::string> MakeTileLevel();
std::vector<std::string> MakeBlockLevel();

}  // namespace assetgen
