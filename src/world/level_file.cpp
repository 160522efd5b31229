// The level file reader: 256 lines of 256 characters, character code minus 61 = tile index.
#include <string>

#include "platform/files/data_path.h"
#include "platform/files/regular_file.h"
#include "world/level_error.h"
#include "world/world.h"

namespace {

// A valid level is 65,792 bytes; this leaves room for generous lines and extra lines while a
// runaway file is refused before anything is read.
constexpr std::uint64_t kMaxLevelBytes = 16ull * 1024 * 1024;
constexpr int kEnd = -1;

// The bytes of an open level file, a buffer at a time. Every way the file can fail to be read
// (missing, not a regular file, too large, a read error) raises the level error.
class LevelBytes {
  public:
    explicit LevelBytes(const char* fileName) : file_(fileName, kMaxLevelBytes) {
        if (file_.missing())
            throw LevelError::Missing("It is missing: looked in " + data_path::FoldersSearched() +
                                      ".");
        if (!file_.ok())
            throw LevelError(std::string("It cannot be used: ") + file_.reason() + ".");
    }
    int Peek() {
        if (next_ == end_ && !Fill()) return kEnd;
        return buffer_[next_];
    }
    int Take() {
        const int c = Peek();
        if (c != kEnd) ++next_;
        return c;
    }
    // An editor's UTF-8 byte-order mark is not part of the first line.
    void SkipByteOrderMark() {
        Peek();
        if (end_ - next_ >= 3 && buffer_[next_] == 0xEF && buffer_[next_ + 1] == 0xBB &&
            buffer_[next_ + 2] == 0xBF)
            next_ += 3;
    }

  private:
    bool Fill() {
        const std::int64_t got = file_.Read(buffer_, sizeof buffer_);
        if (got < 0) throw LevelError("It could not be read.");
        next_ = 0;
        end_ = static_cast<std::size_t>(got);
        return got > 0;
    }
    RegularFile file_;
    unsigned char buffer_[16 * 1024];
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

}  // namespace

std::int32_t World::ReadLevelFile(const char* fileName, TileGrid& grid) {
    LevelBytes in(fileName);
    in.SkipByteOrderMark();
    bool previousEndedAtEof = false;
    char line[kGridSide + 1];
    for (std::int32_t row = 0; row < kGridSide; ++row) {
        if (previousEndedAtEof || in.Peek() == kEnd)
            throw LevelError("The file has " + std::to_string(row) +
                             (row == 1 ? " line" : " lines") + "; a level needs " +
                             std::to_string(kGridSide) + ".");
        // Keep the first 257 characters: enough to tell a carriage return that ends a line of
        // at most 256 characters from one that lies past the 256th.
        std::int64_t length = 0;
        int c;
        while ((c = in.Take()) != kEnd && c != '\n') {
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
