// The overlay's typeface: 5 x 7 glyphs of this project's own design, drawn at twice their size.
// DrawTextA draws with it; the tests read its cell sizes.
#pragma once

#include <cstdint>

namespace bitmap_font {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kScale = 2;
constexpr int kCellWidth = 6 * kScale;   // glyph plus one column of spacing
constexpr int kLineHeight = 9 * kScale;  // glyph plus a row above and below

// Seven rows, top first; bit 4 is the leftmost column. Unknown characters show as '?'.
const std::uint8_t* Glyph(char c);

}  // namespace bitmap_font
