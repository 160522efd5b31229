// One byte per pixel of a tile: 1 solid, 0 clear. Row by row from the top: (x, y) is at
// y * width + x. Read by the collision queries, built by the tile slots.
#pragma once

#include <cstdint>
#include <memory>

class CollisionMask {
  public:
    CollisionMask(std::int32_t width, std::int32_t height);  // starts all clear
    std::uint8_t At(std::int32_t x, std::int32_t y) const {
        return bytes_[static_cast<std::size_t>(y * width_ + x)];
    }
    void Set(std::int32_t x, std::int32_t y, std::uint8_t value) {
        bytes_[static_cast<std::size_t>(y * width_ + x)] = value;
    }

  private:
    std::int32_t width_;
    std::unique_ptr<std::uint8_t[]> bytes_;
};
