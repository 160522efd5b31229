#include "tiled_import.h"

#include <expat.h>
#include <zlib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "actors_layer.h"
#include "level_grid.h"
#include "whole_file.h"

namespace level_tool {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kFlipBits = 0xF0000000u;  // flipped, rotated or hexagonal-rotated

struct Failure {
    std::string file;
    long line;  // 0: the file as a whole
    std::string reason;
};

std::string Attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i] != nullptr; i += 2)
        if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
    return "";
}

// Tiled's JSON formats begin with an object, or are named .json, .tmj or .tsj; TMX and TSX begin
// with markup.
bool LooksLikeJson(const std::string& path, std::string& bytes) {
    if (std::string reason; !ReadWhole(path, bytes, reason)) throw Failure{path, 0, reason};
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".json" || extension == ".tmj" || extension == ".tsj") return true;
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string::npos && (bytes[first] == '{' || bytes[first] == '[');
}

// Counts a JSON text's values without building them, and stops past the bound: a parsed value
// takes about 16 bytes and more, so a 64 MiB file of small numbers would take gigabytes built
// whole. A level's map holds a few layers of 65,536 cells.
class ValueCounter : public nlohmann::json::json_sax_t {
  public:
    static constexpr std::size_t kMaxValues = 1024 * 1024;  // 16 layers of a full grid
    std::size_t values = 0;
    bool syntaxError = false;

    bool null() override { return Count(); }
    bool boolean(bool) override { return Count(); }
    bool number_integer(number_integer_t) override { return Count(); }
    bool number_unsigned(number_unsigned_t) override { return Count(); }
    bool number_float(number_float_t, const string_t&) override { return Count(); }
    bool string(string_t&) override { return Count(); }
    bool binary(binary_t&) override { return Count(); }
    bool start_object(std::size_t) override { return Count(); }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return Count(); }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        syntaxError = true;
        return false;
    }

  private:
    bool Count() { return ++values <= kMaxValues; }
};

nlohmann::json ParseJson(const std::string& path, const std::string& bytes) {
    ValueCounter counter;
    nlohmann::json::sax_parse(bytes, &counter, nlohmann::json::input_format_t::json, false);
    if (counter.syntaxError) throw Failure{path, 0, "not valid JSON"};
    if (counter.values > ValueCounter::kMaxValues)
        throw Failure{path, 0,
                      "more than " + std::to_string(ValueCounter::kMaxValues) +
                          " JSON values (a level's map has a few layers of 65,536 cells)"};
    nlohmann::json value = nlohmann::json::parse(bytes, nullptr, false);
    if (value.is_discarded()) throw Failure{path, 0, "not valid JSON"};
    if (!value.is_object()) throw Failure{path, 0, "not a Tiled map or tileset (a JSON object)"};
    return value;
}

// A number of the JSON as it is written (1e+300, -3, "wide"), for the checks that compare it
// with what a level needs: never squeezed into an int first.
std::string Written(const nlohmann::json& object, const char* key) {
    return object.contains(key) ? object.at(key).dump() : "0";
}

template <typename Handler, typename Work>
void Guarded(void* h, Work&& work) {
    auto* self = static_cast<Handler*>(h);
    if (self->failure.has_value()) return;
    try {
        work(*self);
    } catch (const Failure& f) {
        self->failure = f;
        XML_StopParser(self->parser, XML_FALSE);
    }
}

// Runs expat over a whole file. A failure inside a handler is kept and the parser stopped (no
// exception crosses the C library), then raised here.
template <typename Handler>
void Parse(const std::string& path, Handler& handler) {
    std::string bytes;
    if (std::string reason; !ReadWhole(path, bytes, reason)) throw Failure{path, 0, reason};
    XML_Parser parser = XML_ParserCreate("UTF-8");
    handler.parser = parser;
    XML_SetUserData(parser, &handler);
    XML_SetElementHandler(
        parser,
        [](void* h, const XML_Char* name, const XML_Char** attributes) {
            Guarded<Handler>(h, [&](Handler& self) { self.Start(name, attributes); });
        },
        [](void* h, const XML_Char* name) {
            Guarded<Handler>(h, [&](Handler& self) { self.End(name); });
        });
    XML_SetCharacterDataHandler(parser, [](void* h, const XML_Char* text, int length) {
        Guarded<Handler>(h, [&](Handler& self) { self.Text(text, length); });
    });
    const bool parsed =
        XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) != XML_STATUS_ERROR;
    const long line = static_cast<long>(XML_GetCurrentLineNumber(parser));
    const XML_LChar* text = parsed ? nullptr : XML_ErrorString(XML_GetErrorCode(parser));
    const std::string error = text != nullptr ? text : "";
    XML_ParserFree(parser);
    if (handler.failure.has_value()) throw *handler.failure;
    if (!parsed) throw Failure{path, line, "not valid XML: " + error};
}

// What identifies a tileset: its picture's file name and its tile size.
struct Tileset {
    std::string image;
    int tileSize = 0;
};

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

// What both map formats share: the map's tile size names the sheet, one tileset of the game's
// pictures, the cells decoded and checked, the layers that are not converted noted.
class MapBuilder {
  public:
    explicit MapBuilder(std::string path, std::vector<std::string>& warnings)
        : path_(std::move(path)), warnings_(warnings) {}

    // The text of x2.actors when a tile map has an "actors" layer; its points checked as the
    // game checks the file, the objects that are not actors said by name.
    std::optional<std::string> ActorsFileText() {
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

    const Grid& Finish() {
        if (sheet_ == nullptr) Fail(0, "no map element");
        if (!known_) Fail(0, "no tileset of the game's pictures");
        if (layers_ == 0) Fail(0, "no visible tile layer");
        if (cells_ != kSide * kSide)
            Fail(dataLine_, "the layer has " + std::to_string(cells_) + " cells, not 65536");
        return grid_;
    }

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
    bool StartActorsLayer(const std::string& name, long line) {
        if (name != kActorsLayer || hasActors_) return false;
        hasActors_ = true;
        actorsLine_ = line;
        return true;
    }
    void Warn(long line, const std::string& layer, const std::string& what) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on the one-expression form.
        std::string text = path_;
        if (line > 0) text.append(":").append(std::to_string(line));
        text.append(": warning: layer \"").append(layer).append("\": ").append(what);
        warnings_.push_back(text.append(", not converted"));
    }

    // The map's shape: orthogonal, finite, 256 x 256, and the tile size of one of the sheets.
    void CheckMap(const std::string& orientation, bool infinite, const std::string& width,
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

    // A visible tile layer; a second one is refused, since the level has one.
    void StartTileLayer(long line) {
        if (++layers_ > 1) Fail(line, "several visible tile layers (the level has one)");
        dataLine_ = line;
    }

    // A tileset in a file of its own: TSX, or Tiled's JSON (.tsj, .json).
    void IdentifyExternal(const std::string& source, long line) {
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

    void Identify(const Tileset& tileset, long line) {
        if (sheet_ == nullptr) Fail(line, "a tileset before the map element");
        const std::string wanted = fs::path(sheet_->image).filename().string();
        if (known_ || tileset.image != wanted || tileset.tileSize != sheet_->tileSize)
            Fail(line, "a tileset the game does not know (" +
                           (tileset.image.empty() ? std::string("no picture") : tileset.image) +
                           "; this map needs " + wanted + " alone)");
        known_ = true;
        knownFirstGid_ = firstGid_;
    }

    void SetCompression(const std::string& compression, long line) {
        compression_ = compression;
        if (!compression_.empty() && compression_ != "zlib" && compression_ != "gzip")
            Fail(line, "layer compression \"" + compression_ +
                           "\" is not supported (use CSV, base64, or base64 with zlib)");
    }

    // Base64 layer data, inflated when compressed: little-endian 32-bit tile numbers.
    void Base64Cells(const std::string& text) {
        const std::vector<unsigned char> bytes = Inflate(Base64(text));
        if (bytes.size() % 4 != 0) Fail(dataLine_, "the layer data is not whole tile numbers");
        for (std::size_t i = 0; i < bytes.size(); i += 4)
            Cell(static_cast<std::uint32_t>(bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16)) |
                     (static_cast<std::uint32_t>(bytes[i + 3]) << 24),
                 dataLine_);
    }

    std::vector<unsigned char> Base64(const std::string& text) {
        std::vector<unsigned char> out;
        std::uint32_t bits = 0;
        int count = 0;
        for (char c : text) {
            int v;
            if (c >= 'A' && c <= 'Z')
                v = c - 'A';
            else if (c >= 'a' && c <= 'z')
                v = c - 'a' + 26;
            else if (c >= '0' && c <= '9')
                v = c - '0' + 52;
            else if (c == '+')
                v = 62;
            else if (c == '/')
                v = 63;
            else if (c == '=' || c == '\n' || c == '\r' || c == ' ' || c == '\t')
                continue;
            else
                Fail(dataLine_, "the layer data is not valid base64");
            bits = (bits << 6) | static_cast<std::uint32_t>(v);
            if (++count == 4) {
                out.push_back(static_cast<unsigned char>(bits >> 16));
                out.push_back(static_cast<unsigned char>(bits >> 8));
                out.push_back(static_cast<unsigned char>(bits));
                bits = 0;
                count = 0;
            }
        }
        if (count == 2) out.push_back(static_cast<unsigned char>(bits >> 4));
        if (count == 3) {
            out.push_back(static_cast<unsigned char>(bits >> 10));
            out.push_back(static_cast<unsigned char>(bits >> 2));
        }
        return out;
    }

    std::vector<unsigned char> Inflate(std::vector<unsigned char> bytes) {
        if (compression_.empty()) return bytes;
        // 65,536 tile numbers: anything that inflates past that is refused, not held.
        std::vector<unsigned char> out(kSide * kSide * 4 + 1);
        z_stream z{};
        if (inflateInit2(&z, 15 + 32) != Z_OK)
            Fail(dataLine_, "cannot decompress");  // zlib or gzip
        z.next_in = bytes.data();
        z.avail_in = static_cast<uInt>(bytes.size());
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        const int result = inflate(&z, Z_FINISH);
        const std::size_t made = out.size() - z.avail_out;
        inflateEnd(&z);
        if (result != Z_STREAM_END) Fail(dataLine_, "the compressed layer data is damaged");
        out.resize(made);
        return out;
    }

    void Cell(std::uint32_t gid, long line) {
        if (cells_ >= kSide * kSide) Fail(line, "the layer has more than 65536 cells");
        if ((gid & kFlipBits) != 0)
            Fail(line, "a flipped or rotated tile at column " + std::to_string(cells_ % kSide) +
                           ", row " + std::to_string(cells_ / kSide) +
                           " (the game cannot show them)");
        int index = -1;
        if (gid != 0) {
            const std::int64_t number = static_cast<std::int64_t>(gid) - knownFirstGid_;
            if (!known_ || number < 0 || number >= sheet_->count)
                Fail(line, "tile " + std::to_string(gid) + " is not in the game's tileset");
            index = GameIndexOf(*sheet_, static_cast<int>(number));
        }
        grid_.At(cells_ % kSide, cells_ / kSide) = static_cast<std::int16_t>(index);
        ++cells_;
    }

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

// A TMX map, read with expat.
class MapReader : public MapBuilder {
  public:
    XML_Parser parser = nullptr;
    std::optional<Failure> failure;
    using MapBuilder::MapBuilder;

    void Start(const XML_Char* name, const XML_Char** attributes) {
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
                               std::strtod(Attribute(attributes, "y").c_str(), nullptr), false,
                               line});
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
    void End(const XML_Char* name) {
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
    void Text(const XML_Char* text, int length) {
        if (inData_ && !encoding_.empty()) data_.append(text, static_cast<std::size_t>(length));
        if (inComments_) comments_.append(text, static_cast<std::size_t>(length));
    }

  private:
    void StartMap(const XML_Char** attributes, long line) {
        CheckMap(Attribute(attributes, "orientation"), Attribute(attributes, "infinite") == "1",
                 Attribute(attributes, "width"), Attribute(attributes, "height"),
                 Attribute(attributes, "tilewidth"), Attribute(attributes, "tileheight"), line);
    }

    void StartTileset(const XML_Char** attributes, long line) {
        tilesetLine_ = line;
        firstGid_ = std::strtoul(Attribute(attributes, "firstgid").c_str(), nullptr, 10);
        embedded_ = {};
        embedded_.tileSize = std::atoi(Attribute(attributes, "tilewidth").c_str());
        const std::string source = Attribute(attributes, "source");
        if (source.empty()) return;  // embedded: identified at its end
        IdentifyExternal(source, line);
    }

    void StartData(const XML_Char** attributes, long line) {
        inData_ = true;
        dataLine_ = line;
        encoding_ = Attribute(attributes, "encoding");
        if (!encoding_.empty() && encoding_ != "csv" && encoding_ != "base64")
            Fail(line, "unknown layer encoding \"" + encoding_ + "\"");
        SetCompression(Attribute(attributes, "compression"), line);
        data_.clear();
    }

    void EndData() {
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

    bool inTileset_ = false, inData_ = false, skippingLayer_ = false;
    long tilesetLine_ = 0;
    Tileset embedded_;
    std::string encoding_, data_;
    bool inActors_ = false, inObject_ = false, inComments_ = false;
};

// A JSON map as Tiled saves it (.tmj, .json). JSON keeps no line numbers, so a layer is named by
// the line its name stands on.
class JsonMapReader : public MapBuilder {
  public:
    JsonMapReader(std::string path, std::string bytes, std::vector<std::string>& warnings)
        : MapBuilder(path, warnings), bytes_(std::move(bytes)) {}

    void Read() {
        const nlohmann::json map = ParseJson(path_, bytes_);
        try {
            CheckMap(map.value("orientation", ""), map.value("infinite", false),
                     Written(map, "width"), Written(map, "height"), Written(map, "tilewidth"),
                     Written(map, "tileheight"), 0);
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

  private:
    void Layer(const nlohmann::json& layer) {
        const std::string name = layer.value("name", ""), type = layer.value("type", "");
        const long line = LineOfName(name);
        if (type == "objectgroup" && StartActorsLayer(name, line)) {
            for (const nlohmann::json& property :
                 layer.value("properties", nlohmann::json::array()))
                if (property.value("name", "") == "comments")
                    comments_ = property.value("value", "");
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

    // The line of the next "name": "…" that names this layer, after the previous layer's.
    long LineOfName(const std::string& name) {
        const std::string quoted = nlohmann::json(name).dump();
        for (std::size_t at = bytes_.find("\"name\"", searchFrom_); at != std::string::npos;
             at = bytes_.find("\"name\"", at + 1)) {
            std::size_t value = bytes_.find_first_not_of(" \t\r\n:", at + 6);
            if (value != std::string::npos && bytes_.compare(value, quoted.size(), quoted) == 0) {
                searchFrom_ = value;
                return 1 + static_cast<long>(std::count(
                               bytes_.begin(), bytes_.begin() + static_cast<long>(at), '\n'));
            }
        }
        return 0;
    }

    std::string bytes_;
    std::size_t searchFrom_ = 0;
};

}  // namespace

bool ImportFromTiled(const std::string& mapPath, const std::string& outLevel, std::string& summary,
                     std::string& message, std::vector<std::string>& warnings) {
    try {
        std::string bytes;
        std::optional<JsonMapReader> json;
        std::optional<MapReader> xml;
        const Grid* grid = nullptr;
        std::optional<std::string> actors;
        if (LooksLikeJson(mapPath, bytes)) {
            json.emplace(mapPath, std::move(bytes), warnings);
            json->Read();
            grid = &json->Finish();
            actors = json->ActorsFileText();
        } else {
            xml.emplace(mapPath, warnings);
            Parse(mapPath, *xml);
            grid = &xml->Finish();
            actors = xml->ActorsFileText();
        }
        std::string reason;
        // The actors beside the level: both files are written whole, the level last.
        const std::string actorsPath =
            (fs::absolute(outLevel).parent_path() / kActorsFile).string();
        if (actors && !WriteWhole(actorsPath, *actors, reason)) {
            message = actorsPath + ": " + reason;
            return false;
        }
        if (!WriteWhole(outLevel, LevelText(*grid), reason)) {
            message = outLevel + ": " + reason;
            return false;
        }
        summary = outLevel + (actors ? " and " + actorsPath : std::string());
        return true;
    } catch (const Failure& f) {
        message =
            f.file + (f.line > 0 ? ":" + std::to_string(f.line) : std::string()) + ": " + f.reason;
        return false;
    }
}

}  // namespace level_tool
