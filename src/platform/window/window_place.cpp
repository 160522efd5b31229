#include "platform/window/window_place.h"

#include <algorithm>
#include <cstdint>

namespace window_place {

namespace {

// The area two boxes share, in 64 bits: a desktop's boxes may be anything the window system says.
std::int64_t Shared(const Box& a, const Box& b) {
    const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
    const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
    return right > left && bottom > top ? (right - left) * (bottom - top) : 0;
}

std::int64_t SharedWidth(const Box& a, const Box& b) {
    return std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width) -
           std::max<std::int64_t>(a.x, b.x);
}

std::int64_t SharedHeight(const Box& a, const Box& b) {
    return std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height) -
           std::max<std::int64_t>(a.y, b.y);
}

// Along one axis: the window's start centred in [start, start + room) when it fits there, else
// flush with the area's edge on the room's side; never before the area's start.
int Along(int areaStart, int areaSize, int start, int room, int size, bool roomAtEnd) {
    int at = 0;
    if (room >= size)
        at = start + (room - size) / 2;
    else
        at = roomAtEnd ? areaStart + areaSize - size : areaStart;
    return std::max(at, areaStart);
}

struct Candidate {
    Spot spot;
    std::int64_t room;  // the free room's area: the larger tried first
};

}  // namespace

bool IsOnADisplay(const Box& box, std::span<const Box> displays) {
    const std::int64_t needWidth = std::min(box.width, 64);
    const std::int64_t needHeight = std::min(box.height, 64);
    if (needWidth <= 0 || needHeight <= 0) return false;
    for (const Box& display : displays)
        if (SharedWidth(box, display) >= needWidth && SharedHeight(box, display) >= needHeight)
            return true;
    return false;
}

Spot ChooseFreePlace(std::span<const Box> workAreas, std::span<const Box> others, int width,
                     int height) {
    auto covered = [&](Spot spot) {
        const Box window{spot.x, spot.y, width, height};
        std::int64_t total = 0;
        for (const Box& other : others) total += Shared(window, other);
        return total;
    };
    bool found = false;
    Spot best{0, 0};
    std::int64_t bestCovered = 0;
    auto consider = [&](Spot spot) {
        const std::int64_t c = covered(spot);
        if (!found || c < bestCovered) {
            found = true;
            best = spot;
            bestCovered = c;
        }
    };
    for (const Box& area : workAreas) {
        consider({Along(area.x, area.width, area.x, area.width, width, false),
                  Along(area.y, area.height, area.y, area.height, height, false)});
        if (bestCovered == 0) return best;
        // The largest other window on this area, and the room on each of its sides.
        const Box* largest = nullptr;
        std::int64_t largestArea = 0;
        for (const Box& other : others) {
            const std::int64_t a = Shared(other, area);
            if (a > largestArea) {
                largestArea = a;
                largest = &other;
            }
        }
        if (largest == nullptr) continue;
        const int areaRight = area.x + area.width, areaBottom = area.y + area.height;
        const int left = std::clamp(largest->x, area.x, areaRight);
        const int right = std::clamp(largest->x + largest->width, area.x, areaRight);
        const int top = std::clamp(largest->y, area.y, areaBottom);
        const int bottom = std::clamp(largest->y + largest->height, area.y, areaBottom);
        Candidate candidates[12];
        int count = 0;
        // Beside it (left, right): at the middle, top and bottom of the side; above and below it:
        // at the middle, left and right.
        const int acrossY[3] = {Along(area.y, area.height, area.y, area.height, height, false),
                                area.y, std::max(area.y, areaBottom - height)};
        const int acrossX[3] = {Along(area.x, area.width, area.x, area.width, width, false), area.x,
                                std::max(area.x, areaRight - width)};
        for (int y : acrossY) {
            candidates[count++] = {
                {Along(area.x, area.width, area.x, left - area.x, width, false), y},
                std::int64_t{left - area.x} * area.height};
            candidates[count++] = {
                {Along(area.x, area.width, right, areaRight - right, width, true), y},
                std::int64_t{areaRight - right} * area.height};
        }
        for (int x : acrossX) {
            candidates[count++] = {
                {x, Along(area.y, area.height, area.y, top - area.y, height, false)},
                std::int64_t{top - area.y} * area.width};
            candidates[count++] = {
                {x, Along(area.y, area.height, bottom, areaBottom - bottom, height, true)},
                std::int64_t{areaBottom - bottom} * area.width};
        }
        std::stable_sort(candidates, candidates + count,
                         [](const Candidate& a, const Candidate& b) { return a.room > b.room; });
        for (int i = 0; i < count; ++i) consider(candidates[i].spot);
        if (bestCovered == 0) return best;
    }
    return best;
}

}  // namespace window_place
