#include "tiled_import.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "actors_layer.h"
#include "import_failure.h"
#include "json_map_reader.h"
#include "level_grid.h"
#include "tiled_json.h"
#include "tmx_reader.h"
#include "whole_file.h"
#include "xml_runner.h"

namespace level_tool {

namespace fs = std::filesystem;

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
