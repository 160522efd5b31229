#include "platform/display/opaque_runs.h"

#include <cstring>

namespace {

template <int kBytes>
inline std::uint32_t Raw(const BYTE* p) {
    if constexpr (kBytes == 1) {
        return p[0];
    } else if constexpr (kBytes == 2) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    } else if constexpr (kBytes == 3) {
        return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    } else {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
}

// Eight pixels at a time, in loops the compiler vectorises: most of a picture is long runs.
constexpr int kBlock = 8;

template <int kBytes>
inline bool AllKey(const BYTE* p, std::uint32_t key) {
    bool all = true;
    for (int i = 0; i < kBlock; ++i) all &= Raw<kBytes>(p + i * kBytes) == key;
    return all;
}

template <int kBytes>
inline bool AnyKey(const BYTE* p, std::uint32_t key) {
    bool any = false;
    for (int i = 0; i < kBlock; ++i) any |= Raw<kBytes>(p + i * kBytes) == key;
    return any;
}

// How many pixels of a row are the key: one pass without branches, which the compiler
// vectorises, so that a row without any (a whole opaque picture) is one run at once.
template <int kBytes>
inline int KeyPixels(const BYTE* row, int width, std::uint32_t key, const BYTE* pattern,
                     const BYTE* starts) {
    int hits = 0;
    if constexpr (kBytes == 3) {
        // Byte by byte against the key's bytes repeated (pattern), counting only the places where
        // a pixel starts: contiguous loads, so the compiler vectorises this too.
        const int bytes = width * 3 - 2;
        for (int j = 0; j < bytes; ++j)
            hits += (row[j] == pattern[j]) & (row[j + 1] == pattern[j + 1]) &
                    (row[j + 2] == pattern[j + 2]) & starts[j];
    } else {
        (void)pattern;
        (void)starts;
        for (int x = 0; x < width; ++x) hits += Raw<kBytes>(row + x * kBytes) == key;
    }
    return hits;
}

template <int kBytes>
void Scan(const BYTE* pixels, int pitch, int width, int height, std::uint32_t key,
          const std::vector<BYTE>& pattern, std::vector<OpaqueRun>& runs,
          std::vector<std::uint32_t>& rowStart, bool& anyKey, int& mostRuns) {
    for (int y = 0; y < height; ++y) {
        const BYTE* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        rowStart[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(runs.size());
        int x = 0;
        if (width > 0 &&
            KeyPixels<kBytes>(row, width, key, pattern.data(), pattern.data() + width * 3) == 0) {
            runs.push_back({0, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(y)});
            x = width;
        }
        while (x < width) {
            while (x + kBlock <= width && AllKey<kBytes>(row + x * kBytes, key)) x += kBlock;
            while (x < width && Raw<kBytes>(row + x * kBytes) == key) ++x;
            const int start = x;
            while (x + kBlock <= width && !AnyKey<kBytes>(row + x * kBytes, key)) x += kBlock;
            while (x < width && Raw<kBytes>(row + x * kBytes) != key) ++x;
            if (x > start)
                runs.push_back({static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(x),
                                static_cast<std::uint16_t>(y)});
        }
        const std::size_t made = runs.size() - rowStart[static_cast<std::size_t>(y)];
        if (!(made == 1 && runs.back().start == 0 && runs.back().end == width)) anyKey = true;
        if (static_cast<int>(made) > mostRuns) mostRuns = static_cast<int>(made);
    }
    rowStart[static_cast<std::size_t>(height)] = static_cast<std::uint32_t>(runs.size());
}

}  // namespace

void OpaqueRuns::Build(const BYTE* pixels, int pitch, int width, int height, int bytesPerPixel,
                       std::uint32_t key) {
    runs_.clear();
    rowStart_.assign(static_cast<std::size_t>(height) + 1, 0);
    anyKey_ = false;
    mostRuns_ = 0;
    switch (bytesPerPixel) {
        case 1:
            Scan<1>(pixels, pitch, width, height, key, pattern_, runs_, rowStart_, anyKey_,
                    mostRuns_);
            break;
        case 2:
            Scan<2>(pixels, pitch, width, height, key, pattern_, runs_, rowStart_, anyKey_,
                    mostRuns_);
            break;
        case 3:
            // The key's bytes repeated over a row, then a flag at each pixel's first byte.
            pattern_.resize(static_cast<std::size_t>(width) * 6);
            for (int j = 0; j < width * 3; ++j) {
                pattern_[static_cast<std::size_t>(j)] = static_cast<BYTE>(key >> (8 * (j % 3)));
                pattern_[static_cast<std::size_t>(width * 3 + j)] = j % 3 == 0;
            }
            Scan<3>(pixels, pitch, width, height, key, pattern_, runs_, rowStart_, anyKey_,
                    mostRuns_);
            break;
        default:
            Scan<4>(pixels, pitch, width, height, key, pattern_, runs_, rowStart_, anyKey_,
                    mostRuns_);
            break;
    }
}
