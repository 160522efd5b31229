#include "map_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "actors_layer.h"

namespace level_tool {

std::optional<std::string> MapBuilder::ActorsFileText() {
    if (!hasActors_) return std::nullopt;
    if (sheet_ != &kTiles) {
        Warn(actorsLine_, kActorsLayer, "actors belong to the tile level");
        return std::nullopt;
    }
    std::string text = comments_.empty() ? std::string(kActorsHeader) : comments_;
    text += '\n';
    // The map's line of each line of the file, for a refusal.
    std::vector<long> mapLines(
        static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1, actorsLine_);
    for (const RawActor& a : actors_) {
        const bool known =
            a.kind == "walker" || a.kind == "player" || a.kind == "goal" || a.kind == "start";
        if (!known || !a.point) {
            warnings_.push_back(path_ + ":" + std::to_string(a.line) + ": warning: object \"" +
                                a.name + "\" in layer \"actors\": not a point of type " +
                                "walker, player, goal or start, not converted");
            continue;
        }
        text += a.kind + " " + std::to_string(std::lround(a.x)) + " " +
                std::to_string(std::lround(a.y)) + "\n";
        mapLines.push_back(a.line);
    }
    try {
        ParseActorsText(text);
    } catch (const ActorsFileError& e) {
        // "line N: reason" of the file, told as the object's line of the map.
        const std::string what = e.what();
        const std::size_t colon = what.find(": ");
        const auto number = static_cast<std::size_t>(std::atol(what.c_str() + 5));
        Fail(number < mapLines.size() ? mapLines[number] : actorsLine_,
             "layer \"actors\": " + what.substr(colon + 2));
    }
    return text;
}

const Grid& MapBuilder::Finish() {
    if (sheet_ == nullptr) Fail(0, "no map element");
    if (!known_) Fail(0, "no tileset of the game's pictures");
    if (layers_ == 0) Fail(0, "no visible tile layer");
    if (cells_ != kSide * kSide)
        Fail(dataLine_, "the layer has " + std::to_string(cells_) + " cells, not 65536");
    return grid_;
}

bool MapBuilder::StartActorsLayer(const std::string& name, long line) {
    if (name != kActorsLayer || hasActors_) return false;
    hasActors_ = true;
    actorsLine_ = line;
    return true;
}

void MapBuilder::Warn(long line, const std::string& layer, const std::string& what) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on the one-expression form.
    std::string text = path_;
    if (line > 0) text.append(":").append(std::to_string(line));
    text.append(": warning: layer \"").append(layer).append("\": ").append(what);
    warnings_.push_back(text.append(", not converted"));
}

void MapBuilder::CheckMap(const std::string& orientation, bool infinite, const std::string& width,
                          const std::string& height, const std::string& tw, const std::string& th,
                          long line) {
    if (orientation != "orthogonal") Fail(line, "not an orthogonal map");
    if (infinite) Fail(line, "an infinite map (the level is 256 x 256)");
    if (width != "256" || height != "256")
        Fail(line, "the map is " + width + " x " + height + " tiles, not 256 x 256");
    if (tw == "32" && th == "32")
        sheet_ = &kTiles;
    else if (tw == "128" && th == "128")
        sheet_ = &kBlocks;
    else
        Fail(line, "tiles of " + tw + " x " + th +
                       " pixels (32 x 32 for the tile grid, 128 x 128 for the blocks)");
}

void MapBuilder::StartTileLayer(long line) {
    if (++layers_ > 1) Fail(line, "several visible tile layers (the level has one)");
    dataLine_ = line;
}

}  // namespace level_tool
