#include "platform/display/deferred_fill.h"

#include <algorithm>
#include <cstring>

#include "platform/display/opaque_runs.h"

void DeferredFill::Reserve(int height) {
    bands_.resize(kBands);
    bandAt_.assign(static_cast<std::size_t>(height), 0);
}

void DeferredFill::Begin(const void* sourceOwner, const BYTE* source, std::ptrdiff_t sourcePitch,
                         BYTE* dest, std::ptrdiff_t destPitch, int width, int height,
                         int bytesPerPixel, bool movePixels) {
    owner_ = sourceOwner;
    movePixels_ = movePixels;
    source_ = source;
    sourcePitch_ = sourcePitch;
    dest_ = dest;
    destPitch_ = destPitch;
    width_ = width;
    height_ = std::min(height, static_cast<int>(bandAt_.size()));
    bytes_ = bytesPerPixel;
    bands_[0].top = 0;
    bands_[0].bottom = height_;
    bands_[0].count = 0;
    bandCount_ = 1;
    std::fill(bandAt_.begin(), bandAt_.begin() + height_, std::uint8_t{0});
}

void DeferredFill::Finish() {
    for (int y = 0; y < height_;) {
        const Band& band = bands_[bandAt_[static_cast<std::size_t>(y)]];
        fillGaps(band, 0, width_);
        y = band.bottom;
    }
    owner_ = nullptr;
}

bool DeferredFill::mark(int top, int bottom, int left, int right, bool fill) {
    if (!split(top) || !split(bottom)) {
        Finish();
        return false;
    }
    for (int y = top; y < bottom;) {
        Band& band = bands_[bandAt_[static_cast<std::size_t>(y)]];
        if (fill) fillGaps(band, left, right);
        add(band, left, right);
        y = band.bottom;
    }
    return true;
}

bool DeferredFill::split(int y) {
    if (y <= 0 || y >= height_) return true;
    const int b = bandAt_[static_cast<std::size_t>(y)];
    if (bands_[static_cast<std::size_t>(b)].top == y) return true;
    if (bandCount_ == kBands) return false;
    Band& old = bands_[static_cast<std::size_t>(b)];
    Band& made = bands_[static_cast<std::size_t>(bandCount_)];
    made = old;
    // The new band takes the smaller part, whose rows are labelled again: tiles split the
    // screen's band from the top, 32 rows at a time.
    if (y - old.top <= old.bottom - y) {
        made.bottom = y;
        old.top = y;
    } else {
        made.top = y;
        old.bottom = y;
    }
    std::fill(bandAt_.begin() + made.top, bandAt_.begin() + made.bottom,
              static_cast<std::uint8_t>(bandCount_));
    ++bandCount_;
    return true;
}

inline void DeferredFill::add(Band& band, int left, int right) {
    Span* s = band.spans;
    int& n = band.count;
    // Tiles arrive left to right, so a copy nearly always extends or follows the last span.
    if (n > 0 && left >= s[n - 1].left) {
        if (left <= s[n - 1].right) {
            s[n - 1].right = static_cast<std::uint16_t>(std::max<int>(s[n - 1].right, right));
            return;
        }
        if (n < kSpansPerBand) {
            s[n++] = {static_cast<std::uint16_t>(left), static_cast<std::uint16_t>(right)};
            return;
        }
    }
    insert(band, left, right);
}

void DeferredFill::insert(Band& band, int left, int right) {
    Span* s = band.spans;
    int& n = band.count;
    int i = 0;  // the first span reaching left; it and the spans up to right merge with the copy
    while (i < n && s[i].right < left) ++i;
    int j = i;
    while (j < n && s[j].left <= right) ++j;
    if (i < j) {
        left = std::min<int>(left, s[i].left);
        right = std::max<int>(right, s[j - 1].right);
    }
    const int after = n - j;
    if (i + 1 + after > kSpansPerBand) {
        fillGaps(band, 0, width_);
        s[0] = {0, static_cast<std::uint16_t>(width_)};
        n = 1;
        return;
    }
    std::memmove(s + i + 1, s + j, static_cast<std::size_t>(after) * sizeof(Span));
    s[i] = {static_cast<std::uint16_t>(left), static_cast<std::uint16_t>(right)};
    n = i + 1 + after;
}

void DeferredFill::fillGaps(const Band& band, int left, int right) const {
    if (!movePixels_) return;
    const Span* s = band.spans;
    const int n = band.count;
    const std::ptrdiff_t firstRow = band.top;
    const int rows = band.bottom - band.top;
    const auto fill = [&](int a, int b) {
        BYTE* d = dest_ + firstRow * destPitch_ + static_cast<std::ptrdiff_t>(a) * bytes_;
        const BYTE* from =
            source_ + firstRow * sourcePitch_ + static_cast<std::ptrdiff_t>(a) * bytes_;
        CopyWholeRows(d, destPitch_, from, sourcePitch_, rows, (b - a) * bytes_);
    };
    int i = n;  // the spans are in order and apart: back up to the first one ending past left
    while (i > 0 && s[i - 1].right > left) --i;
    int x = left;
    for (; i < n && s[i].left < right; ++i) {
        if (s[i].left > x) fill(x, s[i].left);
        x = std::max<int>(x, s[i].right);
    }
    if (x < right) fill(x, right);
}

// Last, after the inline add they use.
bool DeferredFill::Cover(int top, int bottom, int left, int right) {
    // Most copies are tiles, landing on the rows of a band made by the tile before them.
    Band& band = bands_[bandAt_[static_cast<std::size_t>(top)]];
    if (band.top == top && band.bottom == bottom) {
        add(band, left, right);
        return true;
    }
    return mark(top, bottom, left, right, false);
}

bool DeferredFill::FillUnder(int top, int bottom, int left, int right) {
    return mark(top, bottom, left, right, true);
}
