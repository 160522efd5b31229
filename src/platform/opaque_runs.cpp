#include "platform/opaque_runs.h"

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

template <int kBytes>
void Scan(const BYTE* pixels, int pitch, int width, int height, std::uint32_t key,
          std::vector<OpaqueRun>& runs, std::vector<std::uint32_t>& rowStart, bool& anyKey,
          int& mostRuns) {
    for (int y = 0; y < height; ++y) {
        const BYTE* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        rowStart[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(runs.size());
        int x = 0;
        while (x < width) {
            while (x < width && Raw<kBytes>(row + x * kBytes) == key) ++x;
            const int start = x;
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
            Scan<1>(pixels, pitch, width, height, key, runs_, rowStart_, anyKey_, mostRuns_);
            break;
        case 2:
            Scan<2>(pixels, pitch, width, height, key, runs_, rowStart_, anyKey_, mostRuns_);
            break;
        case 3:
            Scan<3>(pixels, pitch, width, height, key, runs_, rowStart_, anyKey_, mostRuns_);
            break;
        default:
            Scan<4>(pixels, pitch, width, height, key, runs_, rowStart_, anyKey_, mostRuns_);
            break;
    }
}
