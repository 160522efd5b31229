#include "json_map_reader.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "tiled_json.h"

namespace level_tool {

namespace fs = std::filesystem;

void JsonMapReader::Read() {
    const nlohmann::json map = ParseJson(path_, bytes_);
    try {
        CheckMap(map.value("orientation", ""), map.value("infinite", false), Written(map, "width"),
                 Written(map, "height"), Written(map, "tilewidth"), Written(map, "tileheight"), 0);
        for (const nlohmann::json& tileset : map.value("tilesets", nlohmann::json::array())) {
            firstGid_ = tileset.value("firstgid", 0u);
            if (tileset.contains("source"))
                IdentifyExternal(tileset.value("source", ""), 0);
            else
                Identify({fs::path(tileset.value("image", "")).filename().string(),
                          tileset.value("tilewidth", 0)},
                         0);
        }
        for (const nlohmann::json& layer : map.value("layers", nlohmann::json::array()))
            Layer(layer);
    } catch (const nlohmann::json::exception& e) {
        Fail(0, std::string("not a Tiled map: ") + e.what());
    }
}

void JsonMapReader::Layer(const nlohmann::json& layer) {
    const std::string name = layer.value("name", ""), type = layer.value("type", "");
    const long line = LineOfName(name);
    if (type == "objectgroup" && StartActorsLayer(name, line)) {
        for (const nlohmann::json& property : layer.value("properties", nlohmann::json::array()))
            if (property.value("name", "") == "comments") comments_ = property.value("value", "");
        for (const nlohmann::json& object : layer.value("objects", nlohmann::json::array())) {
            const std::string kind = object.value("type", "");
            actors_.push_back({kind.empty() ? object.value("class", "") : kind,
                               object.value("name", ""), object.value("x", 0.0),
                               object.value("y", 0.0), object.value("point", false), line});
        }
        return;
    }
    if (type == "objectgroup" || type == "imagelayer" || type == "group") {
        Warn(line, name,
             type == "objectgroup"  ? "an object layer"
             : type == "imagelayer" ? "an image layer"
                                    : "a group of layers");
        return;
    }
    if (type != "tilelayer") return;
    if (!layer.value("visible", true)) {
        Warn(line, name, "a hidden tile layer");
        return;
    }
    StartTileLayer(line);
    if (layer.contains("chunks")) Fail(line, "an infinite map (the level is 256 x 256)");
    const nlohmann::json& data = layer.at("data");
    if (data.is_string()) {
        const std::string encoding = layer.value("encoding", "base64");
        if (encoding != "base64") Fail(line, "unknown layer encoding \"" + encoding + "\"");
        SetCompression(layer.value("compression", ""), line);
        Base64Cells(data.get<std::string>());
        return;
    }
    for (const nlohmann::json& gid : data) {
        if (!gid.is_number_unsigned() || gid.get<std::uint64_t>() > 0xFFFFFFFFull)
            Fail(line, "a tile number out of range");
        Cell(gid.get<std::uint32_t>(), line);
    }
}

long JsonMapReader::LineOfName(const std::string& name) {
    const std::string quoted = nlohmann::json(name).dump();
    for (std::size_t at = bytes_.find("\"name\"", searchFrom_); at != std::string::npos;
         at = bytes_.find("\"name\"", at + 1)) {
        std::size_t value = bytes_.find_first_not_of(" \t\r\n:", at + 6);
        if (value != std::string::npos && bytes_.compare(value, quoted.size(), quoted) == 0) {
            searchFrom_ = value;
            return 1 + static_cast<long>(std::count(bytes_.begin(),
                                                    bytes_.begin() + static_cast<long>(at), '\n'));
        }
    }
    return 0;
}

}  // namespace level_tool
