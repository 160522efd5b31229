// A JSON map as Tiled saves it (.tmj, .json), for ImportFromTiled.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "map_builder.h"

namespace level_tool {

// A JSON map as Tiled saves it (.tmj, .json). JSON keeps no line numbers, so a layer is named by
// the line its name stands on.
class JsonMapReader : public MapBuilder {
  public:
    JsonMapReader(std::string path, std::string bytes, std::vector<std::string>& warnings)
        : MapBuilder(path, warnings), bytes_(std::move(bytes)) {}

    // Reads the whole map; a refusal is thrown as a Failure.
    void Read();

  private:
    void Layer(const nlohmann::json& layer);
    // The line of the next "name": "…" that names this layer, after the previous layer's.
    long LineOfName(const std::string& name);

    std::string bytes_;
    std::size_t searchFrom_ = 0;
};

}  // namespace level_tool
