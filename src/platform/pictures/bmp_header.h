// Internal to src/platform/: a quick look at a BMP file's headers before the full loader sees it,
// so that absurd or malformed files are refused in microseconds, before any large allocation.
// Called by LoadImageA (bmp_pictures.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace bmp_header {

// The largest picture accepted: 8192 on a side. The game's own pictures are at most 1024 x 768;
// the bound leaves room for larger art while keeping a decoded picture under 256 MiB.
constexpr std::int64_t kMaxSide = 8192;

struct Check {
    bool ok;
    const char* reason;  // why not, when !ok
    int width;
    int height;  // positive; top-down files have a negative height in the file
    int bitsPerPixel;
};

// bytes: the start of the file (at least the first 54 bytes when there are that many);
// fileSize: the whole file's size. Every size is worked out in 64 bits.
[[nodiscard]] Check Inspect(const std::uint8_t* bytes, std::size_t available,
                            std::uint64_t fileSize);

}  // namespace bmp_header
