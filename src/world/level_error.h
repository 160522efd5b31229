// Raised by the level reader for a missing or short level file; start-up catches it.
#pragma once

#include <stdexcept>

class LevelError : public std::runtime_error {
  public:
    LevelError() : std::runtime_error("Error loading level.") {}
};
