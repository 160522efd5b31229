// The level file reader: 256 lines of 256 characters, character code minus 61 = tile index.
#include <fstream>

#include "world/level_error.h"
#include "world/world.h"

std::int32_t World::ReadLevelFile(const char* fileName, TileGrid& grid) {
    std::ifstream file(fileName);  // a failure to open shows as a stream with no character
    std::streambuf* in = file.is_open() ? file.rdbuf() : nullptr;
    constexpr int kEnd = std::char_traits<char>::eof();
    bool previousEndedAtEof = false;
    char line[kGridSide + 1];
    for (std::int32_t row = 0; row < kGridSide; ++row) {
        if (previousEndedAtEof || in == nullptr || in->sgetc() == kEnd) throw LevelError();
        // Keep the first 257 characters: enough to tell a carriage return that ends a line of
        // at most 256 characters from one that lies past the 256th.
        std::int64_t length = 0;
        int c;
        while ((c = in->sbumpc()) != kEnd && c != '\n') {
            if (length <= kGridSide) line[length] = static_cast<char>(c);
            ++length;
        }
        previousEndedAtEof = c == kEnd;
        if (length > 0 && length <= kGridSide + 1 && line[length - 1] == '\r') --length;
        for (std::int32_t column = 0; column < kGridSide; ++column) {
            // A short line's missing positions are empty cells.
            grid.At(column, row).tileIndex =
                column < length
                    ? static_cast<std::int32_t>(static_cast<signed char>(line[column])) - 61
                    : -1;
        }
    }
    return 1;
}
