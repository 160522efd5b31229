// The map's tileset told for the game's own: embedded, or in a file of its own (TSX or Tiled's
// JSON), known by its picture's file name and its tile size.
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "map_builder.h"
#include "tiled_json.h"
#include "xml_runner.h"

namespace level_tool {
namespace {

namespace fs = std::filesystem;

struct TilesetReader {
    XML_Parser parser = nullptr;
    std::optional<Failure> failure;
    Tileset tileset;
    void Start(const XML_Char* name, const XML_Char** attributes) {
        if (std::strcmp(name, "tileset") == 0)
            tileset.tileSize = std::atoi(Attribute(attributes, "tilewidth").c_str());
        else if (std::strcmp(name, "image") == 0)
            tileset.image = fs::path(Attribute(attributes, "source")).filename().string();
    }
    void End(const XML_Char*) {}
    void Text(const XML_Char*, int) {}
};

}  // namespace

void MapBuilder::IdentifyExternal(const std::string& source, long line) {
    const std::string path = (fs::path(path_).parent_path() / source).string();
    std::string bytes;
    if (LooksLikeJson(path, bytes)) {
        const nlohmann::json tileset = ParseJson(path, bytes);
        Identify({fs::path(tileset.value("image", "")).filename().string(),
                  tileset.value("tilewidth", 0)},
                 line);
        return;
    }
    TilesetReader reader;
    Parse(path, reader);
    Identify(reader.tileset, line);
}

void MapBuilder::Identify(const Tileset& tileset, long line) {
    if (sheet_ == nullptr) Fail(line, "a tileset before the map element");
    const std::string wanted = fs::path(sheet_->image).filename().string();
    if (known_ || tileset.image != wanted || tileset.tileSize != sheet_->tileSize)
        Fail(line, "a tileset the game does not know (" +
                       (tileset.image.empty() ? std::string("no picture") : tileset.image) +
                       "; this map needs " + wanted + " alone)");
    known_ = true;
    knownFirstGid_ = firstGid_;
}

}  // namespace level_tool
