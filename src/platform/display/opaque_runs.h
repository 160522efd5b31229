// Each row's runs of pixels that differ from a surface's colour key, worked out once per change of
// content, so that keyed copies move whole runs instead of testing every pixel. Used by the
// surfaces' copies (src/platform/display/surface_copies.cpp).
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "platform/win_types.h"

struct OpaqueRun {
    std::uint16_t start;  // first pixel of the run
    std::uint16_t end;    // one past its last pixel
    std::uint16_t row;    // so that whole sources are copied run by run, without a row loop
};

class OpaqueRuns {
  public:
    // Scans width x height pixels of bytesPerPixel each. Reuses its storage: after the first
    // scan of a surface, scanning it again allocates nothing.
    void Build(const BYTE* pixels, int pitch, int width, int height, int bytesPerPixel,
               std::uint32_t key);
    // Whether any pixel equals the key (false: every row is one run of the whole width).
    bool anyKeyPixel() const { return anyKey_; }
    // The most runs any row has.
    int mostRunsInARow() const { return mostRuns_; }
    const OpaqueRun* runs() const { return runs_.data(); }
    const std::uint32_t* rowStarts() const { return rowStart_.data(); }

  private:
    std::vector<OpaqueRun> runs_;
    std::vector<std::uint32_t> rowStart_;  // height + 1 offsets into runs_
    std::vector<BYTE> pattern_;            // 3-byte pixels: the key repeated, pixel starts
    bool anyKey_ = false;
    int mostRuns_ = 0;
};

// Copies n bytes with overlapping word moves, inline: the runs of a tile's row are short, and a
// library call per run would cost more than the bytes.
inline void CopyBytes(BYTE* __restrict d, const BYTE* __restrict s, int n) {
    // Every size up to 256 bytes is a few overlapping moves (a 24-bit tile row is 96): a loop
    // here would be turned into a library call by the compiler.
    if (n > 256) {
        __builtin_memcpy(d, s, static_cast<unsigned>(n));
    } else if (n > 64) {
        __builtin_memcpy(d, s, 64);
        if (n > 128) __builtin_memcpy(d + 64, s + 64, 64);
        if (n > 192) __builtin_memcpy(d + n - 128, s + n - 128, 64);
        __builtin_memcpy(d + n - 64, s + n - 64, 64);
    } else if (n > 32) {
        __builtin_memcpy(d, s, 32);
        __builtin_memcpy(d + n - 32, s + n - 32, 32);
    } else if (n >= 16) {  // a tile row's run
        __builtin_memcpy(d, s, 16);
        __builtin_memcpy(d + n - 16, s + n - 16, 16);
    } else if (n >= 8) {
        __builtin_memcpy(d, s, 8);
        __builtin_memcpy(d + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        __builtin_memcpy(d, s, 4);
        __builtin_memcpy(d + n - 4, s + n - 4, 4);
    } else if (n >= 2) {
        __builtin_memcpy(d, s, 2);
        __builtin_memcpy(d + n - 2, s + n - 2, 2);
    } else if (n == 1) {
        *d = *s;
    }
}

namespace opaque_detail {

// A row with many short runs (a checkerboard) is cheaper as one select over the whole row.
constexpr std::ptrdiff_t kManyRuns = 4;

template <int kBytes>
inline std::uint32_t Load(const BYTE* p) {
    std::uint32_t v = 0;
    __builtin_memcpy(&v, p, kBytes);
    return v;
}

// Copies the pixels of [a, b) that differ from the key.
template <int kBytes>
inline void SelectRow(BYTE* __restrict d, const BYTE* __restrict s, int a, int b,
                      std::uint32_t key) {
    if constexpr (kBytes == 3) {
        // Without branches: whole words are read (surfaces keep four bytes of slack past their
        // last row), three bytes are written.
        for (int x = a; x < b; ++x) {
            const std::uint32_t sv = Load<4>(s + x * 3) & 0xFFFFFFu;
            const std::uint32_t dv = Load<4>(d + x * 3) & 0xFFFFFFu;
            const std::uint32_t v = sv == key ? dv : sv;
            const auto lo = static_cast<std::uint16_t>(v);
            __builtin_memcpy(d + x * 3, &lo, 2);
            d[x * 3 + 2] = static_cast<BYTE>(v >> 16);
        }
    } else {
        using Pixel =
            std::conditional_t<kBytes == 1, std::uint8_t,
                               std::conditional_t<kBytes == 2, std::uint16_t, std::uint32_t>>;
        auto* dp = reinterpret_cast<Pixel*>(d);
        const auto* sp = reinterpret_cast<const Pixel*>(s);
        const auto k = static_cast<Pixel>(key);
        for (int x = a; x < b; ++x) dp[x] = sp[x] == k ? dp[x] : sp[x];  // vectorised
    }
}

template <int kBytes>
void CopyOpaqueRows(BYTE* d, std::ptrdiff_t dPitch, const BYTE* s, std::ptrdiff_t sPitch, int rows,
                    const OpaqueRun* runs, const std::uint32_t* starts, int firstRow, int left,
                    int width, bool whole, bool fewRuns, std::uint32_t key) {
    const int right = left + width;
    // d and s move to column 0 of the source, so runs index both directly.
    d -= left * kBytes;
    s -= left * kBytes;
    if (whole && fewRuns) {  // every run of the rows as it stands, in one loop
        const OpaqueRun* const end = runs + starts[rows];
        for (const OpaqueRun* r = runs + starts[0]; r != end; ++r) {
            const std::ptrdiff_t row = r->row - firstRow;
            CopyBytes(d + row * dPitch + r->start * kBytes, s + row * sPitch + r->start * kBytes,
                      (r->end - r->start) * kBytes);
        }
        return;
    }
    for (int row = 0; row < rows; ++row, d += dPitch, s += sPitch) {
        const OpaqueRun* r = runs + starts[row];
        const OpaqueRun* const end = runs + starts[row + 1];
        if (end - r > kManyRuns) {
            SelectRow<kBytes>(d, s, left, right, key);
            continue;
        }
        if (whole) {  // the whole source row: no run needs cutting
            for (; r != end; ++r)
                CopyBytes(d + r->start * kBytes, s + r->start * kBytes,
                          (r->end - r->start) * kBytes);
            continue;
        }
        for (; r != end; ++r) {
            if (r->start >= right) break;  // runs are in order
            const int a = r->start > left ? r->start : left;
            const int b = r->end < right ? r->end : right;
            if (a < b) CopyBytes(d + a * kBytes, s + a * kBytes, (b - a) * kBytes);
        }
    }
}

}  // namespace opaque_detail

// Copies rows of a keyed source: the opaque runs of source rows firstRow.. that fall within
// source columns [left, left + width) of a source sourceWidth wide. d and s point at the
// destination and source pixels of column left on the first row. Everything lives in locals:
// byte stores may alias any object, so fields read inside the loops would be loaded again.
inline void CopyOpaqueRows(BYTE* d, std::ptrdiff_t dPitch, const BYTE* s, std::ptrdiff_t sPitch,
                           int rows, const OpaqueRuns& opaque, int firstRow, int left, int width,
                           int sourceWidth, int bytes, std::uint32_t key) {
    const OpaqueRun* const runs = opaque.runs();
    const std::uint32_t* starts = opaque.rowStarts() + firstRow;
    const bool whole = left == 0 && width == sourceWidth;
    const bool fewRuns = opaque.mostRunsInARow() <= opaque_detail::kManyRuns;
    switch (bytes) {
        case 1:
            opaque_detail::CopyOpaqueRows<1>(d, dPitch, s, sPitch, rows, runs, starts, firstRow,
                                             left, width, whole, fewRuns, key);
            break;
        case 2:
            opaque_detail::CopyOpaqueRows<2>(d, dPitch, s, sPitch, rows, runs, starts, firstRow,
                                             left, width, whole, fewRuns, key);
            break;
        case 3:
            opaque_detail::CopyOpaqueRows<3>(d, dPitch, s, sPitch, rows, runs, starts, firstRow,
                                             left, width, whole, fewRuns, key);
            break;
        default:
            opaque_detail::CopyOpaqueRows<4>(d, dPitch, s, sPitch, rows, runs, starts, firstRow,
                                             left, width, whole, fewRuns, key);
            break;
    }
}

// Copies whole rows of an unkeyed source.
namespace opaque_detail {
template <int kRowBytes>
inline void CopyRowsOf(BYTE* __restrict d, std::ptrdiff_t dPitch, const BYTE* __restrict s,
                       std::ptrdiff_t sPitch, int rows) {
    for (int row = 0; row < rows; ++row, d += dPitch, s += sPitch)
        __builtin_memcpy(d, s, kRowBytes);
}
// Rows of n bytes, kMove <= n <= 2 kMove, as two overlapping moves each.
template <int kMove>
inline void CopyRowsBetween(BYTE* __restrict d, std::ptrdiff_t dPitch, const BYTE* __restrict s,
                            std::ptrdiff_t sPitch, int rows, int n) {
    for (int row = 0; row < rows; ++row, d += dPitch, s += sPitch) {
        __builtin_memcpy(d, s, kMove);
        __builtin_memcpy(d + n - kMove, s + n - kMove, kMove);
    }
}
}  // namespace opaque_detail

inline void CopyWholeRows(BYTE* d, std::ptrdiff_t dPitch, const BYTE* s, std::ptrdiff_t sPitch,
                          int rows, int rowBytes) {
    using namespace opaque_detail;
    // A whole 32-pixel tile row in each depth: moves of a fixed size. Other widths (the parts of
    // the background that show) choose their moves once for all rows.
    switch (rowBytes) {
        case 32:
            return CopyRowsOf<32>(d, dPitch, s, sPitch, rows);
        case 64:
            return CopyRowsOf<64>(d, dPitch, s, sPitch, rows);
        case 96:
            return CopyRowsOf<96>(d, dPitch, s, sPitch, rows);
        case 128:
            return CopyRowsOf<128>(d, dPitch, s, sPitch, rows);
        default:
            break;
    }
    if (rowBytes >= 4 && rowBytes <= 64) {
        if (rowBytes < 8) return CopyRowsBetween<4>(d, dPitch, s, sPitch, rows, rowBytes);
        if (rowBytes < 16) return CopyRowsBetween<8>(d, dPitch, s, sPitch, rows, rowBytes);
        if (rowBytes < 32) return CopyRowsBetween<16>(d, dPitch, s, sPitch, rows, rowBytes);
        return CopyRowsBetween<32>(d, dPitch, s, sPitch, rows, rowBytes);
    }
    for (int row = 0; row < rows; ++row, d += dPitch, s += sPitch) CopyBytes(d, s, rowBytes);
}
