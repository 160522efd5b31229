// A TMX map as Tiled saves it (CSV, base64 with or without zlib or gzip, or XML tiles), read by
// the XML runner (xml_runner.h) for ImportFromTiled.
#pragma once

#include <expat.h>

#include <optional>
#include <string>

#include "import_failure.h"
#include "map_builder.h"

namespace level_tool {

// A TMX map, read with expat.
class MapReader : public MapBuilder {
  public:
    XML_Parser parser = nullptr;
    std::optional<Failure> failure;
    using MapBuilder::MapBuilder;

    // Expat's calls, through the XML runner.
    void Start(const XML_Char* name, const XML_Char** attributes);
    void End(const XML_Char* name);
    void Text(const XML_Char* text, int length);

  private:
    void StartMap(const XML_Char** attributes, long line);
    void StartTileset(const XML_Char** attributes, long line);
    void StartData(const XML_Char** attributes, long line);
    // The layer's text, decoded once it is whole.
    void EndData();

    bool inTileset_ = false, inData_ = false, skippingLayer_ = false;
    long tilesetLine_ = 0;
    Tileset embedded_;
    std::string encoding_, data_;
    bool inActors_ = false, inObject_ = false, inComments_ = false;
};

}  // namespace level_tool
