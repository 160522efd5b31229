// What the TMX and JSON map readers share (tmx_reader.h, json_map_reader.h): the map's shape,
// the layers noted, the actors layer, and the game's tileset and the cells, identified in
// tileset_identification.cpp and decoded in cell_decoding.cpp. Used by ImportFromTiled through
// the two readers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "import_failure.h"
#include "level_grid.h"

namespace level_tool {

// What identifies a tileset: its picture's file name and its tile size.
struct Tileset {
    std::string image;
    int tileSize = 0;
};

// What both map formats share: the map's tile size names the sheet, one tileset of the game's
// pictures, the cells decoded and checked, the layers that are not converted noted.
class MapBuilder {
  public:
    explicit MapBuilder(std::string path, std::vector<std::string>& warnings)
        : path_(std::move(path)), warnings_(warnings) {}

    // The text of x2.actors when a tile map has an "actors" layer; its points checked as the
    // game checks the file, the objects that are not actors said by name.
    std::optional<std::string> ActorsFileText();

    // The grid once the map is read whole; refused when the map lacked its tileset, its tile
    // layer or any of its cells.
    const Grid& Finish();

  protected:
    [[noreturn]] void Fail(long line, const std::string& reason) {
        throw Failure{path_, line, reason};
    }

    struct RawActor {
        std::string kind, name;
        double x = 0, y = 0;
        bool point = false;
        long line = 0;
    };
    // The first object layer named "actors" is the level's actors; true when this one is it.
    bool StartActorsLayer(const std::string& name, long line);
    // A layer left out, noted in the warnings.
    void Warn(long line, const std::string& layer, const std::string& what);

    // The map's shape: orthogonal, finite, 256 x 256, and the tile size of one of the sheets.
    void CheckMap(const std::string& orientation, bool infinite, const std::string& width,
                  const std::string& height, const std::string& tw, const std::string& th,
                  long line);

    // A visible tile layer; a second one is refused, since the level has one.
    void StartTileLayer(long line);

    // A tileset in a file of its own: TSX, or Tiled's JSON (.tsj, .json).
    void IdentifyExternal(const std::string& source, long line);
    // The one tileset of the map's sheet: its picture and tile size; any other is refused.
    void Identify(const Tileset& tileset, long line);

    // The layer's compression: none, zlib or gzip.
    void SetCompression(const std::string& compression, long line);
    // Base64 layer data, inflated when compressed: little-endian 32-bit tile numbers.
    void Base64Cells(const std::string& text);
    std::vector<unsigned char> Base64(const std::string& text);
    std::vector<unsigned char> Inflate(std::vector<unsigned char> bytes);
    // The next cell of the layer, from its tile number: refused when flipped, rotated or not of
    // the game's tileset.
    void Cell(std::uint32_t gid, long line);

    std::string path_;
    std::vector<std::string>& warnings_;
    bool hasActors_ = false;
    long actorsLine_ = 0;
    std::vector<RawActor> actors_;
    std::string comments_;  // the layer's "comments" property: the file's comment lines
    const Sheet* sheet_ = nullptr;
    bool known_ = false;
    long dataLine_ = 0;
    std::uint32_t firstGid_ = 0, knownFirstGid_ = 0;
    int layers_ = 0, cells_ = 0;
    std::string compression_;
    Grid grid_;
};

}  // namespace level_tool
