// Raised by the level reader for a level file that cannot be used; start-up and the watch's reload
// catch it, and the level tool reports it. The
// message is always "Error loading level."; detail() says why, where that is known.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

class LevelError : public std::runtime_error {
  public:
    LevelError() : std::runtime_error("Error loading level.") {}
    explicit LevelError(std::string detail)
        : std::runtime_error("Error loading level."), detail_(std::move(detail)) {}
    // "The file has 100 lines; a level needs 256.", "It is missing: looked in …", or "".
    const std::string& detail() const { return detail_; }
    // The file was not there at all.
    bool missing() const { return missing_; }
    static LevelError Missing(std::string detail) {
        LevelError e(std::move(detail));
        e.missing_ = true;
        return e;
    }
    // "Error loading level." followed by the detail, for a one-line message.
    std::string Describe() const { return detail_.empty() ? what() : what() + (" " + detail_); }

  private:
    std::string detail_;
    bool missing_ = false;
};
