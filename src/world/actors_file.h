// The level folder's actors file, x2.actors: a line per actor, "walker X Y", "player X Y" or
// "goal X Y" (the top-left corner of its frame; at most one player and one goal) or "start X Y"
// (the camera's view centre at start), world pixels 0 to 8191; "#" starts a comment. Read by
// start-up and by the watch (vorn7 --watch); the format is stated in docs/LEVEL_FORMAT.md.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "actors/actor_placement.h"

constexpr const char* kActorsFile = "x2.actors";
// At most this many walkers: each is updated every frame, in view or not.
constexpr std::size_t kMaxActors = 256;
// A file of 256 walkers with comments is a few kilobytes.
constexpr std::uint64_t kMaxActorsFileBytes = 64 * 1024;

struct ActorsFile {
    std::vector<ActorPlacement> actors;  // walkers, the player and the goal, in the file's order
    bool hasStart = false;
    std::int32_t startX = 0, startY = 0;
    std::size_t startAfter = 0;         // the actors before the start line (the tools' order)
    std::vector<std::string> comments;  // the lines that are only a comment, in order
};

// A file that cannot be used: what() is "line N: reason" or the file's own reason.
class ActorsFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads name through data_path. Nothing when there is no such file (the level keeps its one
// walker); raises ActorsFileError for a file that cannot be used.
std::optional<ActorsFile> ReadActorsFile(const char* name);
// Parses the text of an actors file (the level tool checks with it too).
ActorsFile ParseActorsText(const std::string& text);
