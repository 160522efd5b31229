#include "tmx_reader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "xml_runner.h"

namespace level_tool {

namespace fs = std::filesystem;

void MapReader::Start(const XML_Char* name, const XML_Char** attributes) {
    const long line = static_cast<long>(XML_GetCurrentLineNumber(parser));
    if (std::strcmp(name, "map") == 0) {
        StartMap(attributes, line);
    } else if (std::strcmp(name, "tileset") == 0 && !inTileset_) {
        inTileset_ = true;
        StartTileset(attributes, line);
    } else if (std::strcmp(name, "image") == 0 && inTileset_) {
        embedded_.image = fs::path(Attribute(attributes, "source")).filename().string();
    } else if (std::strcmp(name, "layer") == 0) {
        skippingLayer_ = Attribute(attributes, "visible") == "0";
        if (skippingLayer_)
            Warn(line, Attribute(attributes, "name"), "a hidden tile layer");
        else
            StartTileLayer(line);
    } else if (std::strcmp(name, "objectgroup") == 0 &&
               StartActorsLayer(Attribute(attributes, "name"), line)) {
        inActors_ = true;
    } else if (std::strcmp(name, "object") == 0 && inActors_) {
        inObject_ = true;
        const std::string type = Attribute(attributes, "type");
        actors_.push_back({type.empty() ? Attribute(attributes, "class") : type,
                           Attribute(attributes, "name"),
                           std::strtod(Attribute(attributes, "x").c_str(), nullptr),
                           std::strtod(Attribute(attributes, "y").c_str(), nullptr), false, line});
    } else if (std::strcmp(name, "point") == 0 && inObject_) {
        actors_.back().point = true;
    } else if (std::strcmp(name, "property") == 0 && inActors_ && !inObject_ &&
               Attribute(attributes, "name") == "comments") {
        comments_ = Attribute(attributes, "value");
        inComments_ = comments_.empty();  // a multi-line value is the element's text
    } else if (std::strcmp(name, "objectgroup") == 0 || std::strcmp(name, "imagelayer") == 0) {
        Warn(line, Attribute(attributes, "name"),
             name[0] == 'o' ? "an object layer" : "an image layer");
    } else if (std::strcmp(name, "chunk") == 0) {
        Fail(line, "an infinite map (the level is 256 x 256)");
    } else if (std::strcmp(name, "data") == 0 && !skippingLayer_ && layers_ == 1) {
        StartData(attributes, line);
    } else if (std::strcmp(name, "tile") == 0 && inData_ && encoding_.empty()) {
        Cell(std::strtoul(Attribute(attributes, "gid").c_str(), nullptr, 10), line);
    }
}
void MapReader::End(const XML_Char* name) {
    if (std::strcmp(name, "tileset") == 0 && inTileset_) {
        inTileset_ = false;
        if (!embedded_.image.empty()) Identify(embedded_, tilesetLine_);
    } else if (std::strcmp(name, "data") == 0 && inData_) {
        inData_ = false;
        EndData();
    } else if (std::strcmp(name, "layer") == 0) {
        skippingLayer_ = false;
    } else if (std::strcmp(name, "object") == 0) {
        inObject_ = false;
    } else if (std::strcmp(name, "objectgroup") == 0) {
        inActors_ = false;
    } else if (std::strcmp(name, "property") == 0) {
        inComments_ = false;
    }
}
void MapReader::Text(const XML_Char* text, int length) {
    if (inData_ && !encoding_.empty()) data_.append(text, static_cast<std::size_t>(length));
    if (inComments_) comments_.append(text, static_cast<std::size_t>(length));
}

void MapReader::StartMap(const XML_Char** attributes, long line) {
    CheckMap(Attribute(attributes, "orientation"), Attribute(attributes, "infinite") == "1",
             Attribute(attributes, "width"), Attribute(attributes, "height"),
             Attribute(attributes, "tilewidth"), Attribute(attributes, "tileheight"), line);
}

void MapReader::StartTileset(const XML_Char** attributes, long line) {
    tilesetLine_ = line;
    firstGid_ = std::strtoul(Attribute(attributes, "firstgid").c_str(), nullptr, 10);
    embedded_ = {};
    embedded_.tileSize = std::atoi(Attribute(attributes, "tilewidth").c_str());
    const std::string source = Attribute(attributes, "source");
    if (source.empty()) return;  // embedded: identified at its end
    IdentifyExternal(source, line);
}

void MapReader::StartData(const XML_Char** attributes, long line) {
    inData_ = true;
    dataLine_ = line;
    encoding_ = Attribute(attributes, "encoding");
    if (!encoding_.empty() && encoding_ != "csv" && encoding_ != "base64")
        Fail(line, "unknown layer encoding \"" + encoding_ + "\"");
    SetCompression(Attribute(attributes, "compression"), line);
    data_.clear();
}

void MapReader::EndData() {
    if (encoding_ == "csv") {
        long line = dataLine_;
        std::uint64_t value = 0;
        bool digits = false;
        for (char c : data_) {
            if (c >= '0' && c <= '9') {
                value = value * 10 + static_cast<std::uint64_t>(c - '0');
                if (value > 0xFFFFFFFFull) Fail(line, "a tile number out of range");
                digits = true;
            } else if (c == ',' || c == '\n' || c == '\r' || c == ' ' || c == '\t') {
                if (c == ',' && !digits) Fail(line, "an empty cell in the CSV data");
                if (digits) Cell(static_cast<std::uint32_t>(value), line);
                value = 0;
                digits = false;
                if (c == '\n') ++line;
            } else {
                Fail(line, std::string("an unexpected character '") + c + "' in the CSV data");
            }
        }
        if (digits) Cell(static_cast<std::uint32_t>(value), line);
    } else if (encoding_ == "base64") {
        Base64Cells(data_);
    }
}

}  // namespace level_tool
