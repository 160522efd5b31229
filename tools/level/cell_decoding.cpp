// A tile layer's cells from its data: base64 (inflated when zlib or gzip), or one tile number at a
// time from CSV, XML or JSON; each checked against the game's tileset and stored by its index.
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "map_builder.h"

namespace level_tool {
namespace {

constexpr std::uint32_t kFlipBits = 0xF0000000u;  // flipped, rotated or hexagonal-rotated

}  // namespace

void MapBuilder::SetCompression(const std::string& compression, long line) {
    compression_ = compression;
    if (!compression_.empty() && compression_ != "zlib" && compression_ != "gzip")
        Fail(line, "layer compression \"" + compression_ +
                       "\" is not supported (use CSV, base64, or base64 with zlib)");
}

void MapBuilder::Base64Cells(const std::string& text) {
    const std::vector<unsigned char> bytes = Inflate(Base64(text));
    if (bytes.size() % 4 != 0) Fail(dataLine_, "the layer data is not whole tile numbers");
    for (std::size_t i = 0; i < bytes.size(); i += 4)
        Cell(static_cast<std::uint32_t>(bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16)) |
                 (static_cast<std::uint32_t>(bytes[i + 3]) << 24),
             dataLine_);
}

std::vector<unsigned char> MapBuilder::Base64(const std::string& text) {
    std::vector<unsigned char> out;
    std::uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=' || c == '\n' || c == '\r' || c == ' ' || c == '\t')
            continue;
        else
            Fail(dataLine_, "the layer data is not valid base64");
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            out.push_back(static_cast<unsigned char>(bits >> 16));
            out.push_back(static_cast<unsigned char>(bits >> 8));
            out.push_back(static_cast<unsigned char>(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 2) out.push_back(static_cast<unsigned char>(bits >> 4));
    if (count == 3) {
        out.push_back(static_cast<unsigned char>(bits >> 10));
        out.push_back(static_cast<unsigned char>(bits >> 2));
    }
    return out;
}

std::vector<unsigned char> MapBuilder::Inflate(std::vector<unsigned char> bytes) {
    if (compression_.empty()) return bytes;
    // 65,536 tile numbers: anything that inflates past that is refused, not held.
    std::vector<unsigned char> out(kSide * kSide * 4 + 1);
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK) Fail(dataLine_, "cannot decompress");  // zlib or gzip
    z.next_in = bytes.data();
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&z, Z_FINISH);
    const std::size_t made = out.size() - z.avail_out;
    inflateEnd(&z);
    if (result != Z_STREAM_END) Fail(dataLine_, "the compressed layer data is damaged");
    out.resize(made);
    return out;
}

void MapBuilder::Cell(std::uint32_t gid, long line) {
    if (cells_ >= kSide * kSide) Fail(line, "the layer has more than 65536 cells");
    if ((gid & kFlipBits) != 0)
        Fail(line, "a flipped or rotated tile at column " + std::to_string(cells_ % kSide) +
                       ", row " + std::to_string(cells_ / kSide) + " (the game cannot show them)");
    int index = -1;
    if (gid != 0) {
        const std::int64_t number = static_cast<std::int64_t>(gid) - knownFirstGid_;
        if (!known_ || number < 0 || number >= sheet_->count)
            Fail(line, "tile " + std::to_string(gid) + " is not in the game's tileset");
        index = GameIndexOf(*sheet_, static_cast<int>(number));
    }
    grid_.At(cells_ % kSide, cells_ / kSide) = static_cast<std::int16_t>(index);
    ++cells_;
}

}  // namespace level_tool
