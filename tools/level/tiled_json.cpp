#include "tiled_json.h"

#include <filesystem>

#include "import_failure.h"
#include "whole_file.h"

namespace level_tool {
namespace {

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

}  // namespace

namespace fs = std::filesystem;

bool LooksLikeJson(const std::string& path, std::string& bytes) {
    if (std::string reason; !ReadWhole(path, bytes, reason)) throw Failure{path, 0, reason};
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".json" || extension == ".tmj" || extension == ".tsj") return true;
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string::npos && (bytes[first] == '{' || bytes[first] == '[');
}

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

std::string Written(const nlohmann::json& object, const char* key) {
    return object.contains(key) ? object.at(key).dump() : "0";
}

}  // namespace level_tool
