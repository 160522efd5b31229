#include "graphics/collision_mask.h"

CollisionMask::CollisionMask(std::int32_t width, std::int32_t height)
    : width_(width),
      bytes_(
          new std::uint8_t[static_cast<std::size_t>(width) * static_cast<std::size_t>(height)]()) {}
