#include "world/actors_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/files/regular_file.h"
#include "world/map_types.h"

namespace {

[[noreturn]] void Refuse(int line, const std::string& reason) {
    throw ActorsFileError("line " + std::to_string(line) + ": " + reason);
}

// A whole number within the world, or the line is refused.
std::int32_t Coordinate(const std::string& word, int line, const char* axis) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (word.empty() || end != word.c_str() + word.size() || errno == ERANGE)
        Refuse(line, "\"" + word + "\" is not a whole number");
    if (value < 0 || value >= kWorldSize)
        Refuse(line, std::string(axis) + " " + word + " is outside the world (0 to " +
                         std::to_string(kWorldSize - 1) + ")");
    return static_cast<std::int32_t>(value);
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
        if (at > start) words.push_back(line.substr(start, at - start));
    }
    return words;
}

}  // namespace

ActorsFile ParseActorsText(const std::string& text) {
    ActorsFile file;
    std::size_t walkers = 0;
    bool hasPlayer = false, hasGoal = false;
    std::size_t at = 0;
    for (int number = 1; at < text.size(); ++number) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) {
            if (Words(line.substr(0, hash)).empty()) file.comments.push_back(line);
            line.erase(hash);
        }
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        if (words.size() != 3)
            Refuse(number,
                   "expected KIND X Y (walker, player, goal or start, then two whole "
                   "numbers)");
        const std::int32_t x = Coordinate(words[1], number, "x");
        const std::int32_t y = Coordinate(words[2], number, "y");
        if (words[0] == "walker") {
            if (walkers == kMaxActors)
                Refuse(number, "more than " + std::to_string(kMaxActors) + " walkers");
            ++walkers;
            file.actors.push_back({kWalkerKind, x, y});
        } else if (words[0] == "player" || words[0] == "goal") {
            const bool player = words[0] == "player";
            bool& seen = player ? hasPlayer : hasGoal;
            if (seen) Refuse(number, "a second " + words[0] + " (a level has one)");
            seen = true;
            file.actors.push_back({player ? kPlayerKind : kGoalKind, x, y});
        } else if (words[0] == "start") {
            if (file.hasStart) Refuse(number, "a second start (a level has one)");
            file.hasStart = true;
            file.startAfter = file.actors.size();
            file.startX = x;
            file.startY = y;
        } else {
            Refuse(number, "unknown kind \"" + words[0] + "\" (walker, player, goal or start)");
        }
    }
    return file;
}

std::optional<ActorsFile> ReadActorsFile(const char* name) {
    RegularFile in(name, kMaxActorsFileBytes);
    if (in.missing()) return std::nullopt;
    if (!in.ok())
        throw ActorsFileError(std::string("it cannot be used: ") + in.reason() +
                              (in.size() > kMaxActorsFileBytes ? " (at most 64 KiB)" : ""));
    std::string text;
    if (!in.ReadAll(text))
        throw ActorsFileError(std::string("it could not be read: ") + in.reason());
    return ParseActorsText(text);
}
