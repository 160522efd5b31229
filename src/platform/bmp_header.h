// A quick look at a BMP file's headers before the full loader sees it, so that absurd or
// malformed files are refused in microseconds instead of allocating gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bmp_header {

constexpr std::int64_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 64ll * 1024 * 1024;

struct Check {
    bool ok;
    const char* reason;  // why not, when !ok
    int width;
    int height;  // positive; top-down files have a negative height in the file
    int bitsPerPixel;
};

// bytes: the start of the file (at least the first 54 bytes when there are that many);
// fileSize: the whole file's size.
Check Inspect(const std::uint8_t* bytes, std::size_t available, std::uint64_t fileSize);

}  // namespace bmp_header
