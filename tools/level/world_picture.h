// render: the whole 8192 x 8192 world as one PNG, drawn by the game's own code (the tile bank's
// surfaces and the tile grid, through the same keyed copies the game uses), headless.
#pragma once

#include <string>

namespace level_tool {

// scale: the picture is 1/scale of the world's size (1, 2, 4, 8, 16 or 32). blocks: the block
// layer is drawn over the tiles, each block cell where it passes by (block cell (c, r) at world
// (32c, 32r), a quarter of its size). Writes out only when the whole picture was drawn.
bool RenderWorld(const std::string& dataDir, const std::string& out, int scale, bool blocks,
                 std::string& message);

}  // namespace level_tool
