// A copy that covers a whole surface with opaque pixels (the frame's background), held back so
// that each pixel is written about once: the copies after it say which rows and columns they
// cover, and the held-back copy writes only what stays uncovered, when the surface is next read
// or shown. Used by the back buffer's copies (src/platform/display/surface_copies.cpp), which
// decide when to start, feed and finish it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

class DeferredFill {
  public:
    // Sizes the row tables for a surface of this height; the only allocation.
    void Reserve(int height);
    // Holds back a copy of width x height pixels from source to dest (each at its first pixel).
    // Anything covered so far is forgotten: the new copy hides it. dest must stay where it is
    // until Finish or Drop.
    void Begin(const void* sourceOwner, const BYTE* source, std::ptrdiff_t sourcePitch, BYTE* dest,
               std::ptrdiff_t destPitch, int width, int height, int bytesPerPixel, bool movePixels);
    // The surface the held-back copy reads from.
    const void* sourceOwner() const { return owner_; }

    // An opaque copy is about to write [left, right) of rows [top, bottom). False when the
    // copy could not be held back any longer and was finished instead.
    [[nodiscard]] bool Cover(int top, int bottom, int left, int right);
    // A keyed copy is about to write over [left, right) of rows [top, bottom): what it leaves
    // see-through must show the held-back copy, so that is written first where nothing covers
    // it. False as for Cover.
    [[nodiscard]] bool FillUnder(int top, int bottom, int left, int right);
    // Writes every pixel nothing covered, then holds nothing back.
    void Finish();
    // Holds nothing back, writing nothing (the surface's content is gone).
    void Drop() { owner_ = nullptr; }

  private:
    struct Span {
        std::uint16_t left, right;
    };
    // Rows that every copy so far covered alike (a row of tiles shares one band), with their
    // covered spans, merged and in order. A band that would need more spans is filled there
    // and then and counts as wholly covered; a copy that would need more bands finishes all.
    static constexpr int kSpansPerBand = 24;
    static constexpr int kBands = 160;
    static_assert(kBands <= 256, "band numbers are kept in a byte per row");
    struct Band {
        int top, bottom;
        int count;
        Span spans[kSpansPerBand];
    };

    bool mark(int top, int bottom, int left, int right, bool fill);
    // Makes y the first row of a band; false when no band is left.
    bool split(int y);
    void add(Band& band, int left, int right);
    void insert(Band& band, int left, int right);  // anywhere, merging what it touches
    // Writes the held-back pixels of the band's rows in [left, right) that no span covers.
    void fillGaps(const Band& band, int left, int right) const;

    const void* owner_ = nullptr;
    const BYTE* source_ = nullptr;
    std::ptrdiff_t sourcePitch_ = 0;
    int width_ = 0, height_ = 0, bytes_ = 1;
    bool movePixels_ = true;  // off: a benchmark measuring the bookkeeping alone
    BYTE* dest_ = nullptr;
    std::ptrdiff_t destPitch_ = 0;
    std::vector<Band> bands_;
    int bandCount_ = 0;
    std::vector<std::uint8_t> bandAt_;  // per row
};
