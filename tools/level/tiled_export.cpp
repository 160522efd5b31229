#include "tiled_export.h"

#include <filesystem>

#include "actors_layer.h"
#include "level_folder.h"
#include "level_grid.h"
#include "whole_file.h"

namespace level_tool {
namespace {

namespace fs = std::filesystem;

// The tile map; objects is the actors' object layer (id 2) or "".
std::string MapXml(const Sheet& sheet, const char* tilesetFile, const Grid& grid,
                   const std::string& objects, std::size_t objectCount) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" "
        "renderorder=\"right-down\" width=\"256\" height=\"256\" tilewidth=\"" +
        std::to_string(sheet.tileSize) + "\" tileheight=\"" + std::to_string(sheet.tileSize) +
        "\" infinite=\"0\" nextlayerid=\"" + std::string(objects.empty() ? "2" : "3") +
        "\" nextobjectid=\"" + std::to_string(objectCount + 1) +
        "\">\n"
        " <tileset firstgid=\"1\" source=\"" +
        std::string(tilesetFile) +
        "\"/>\n"
        " <layer id=\"1\" name=\"" +
        std::string(sheet.name) + "\" width=\"256\" height=\"256\">\n  <data encoding=\"csv\">\n";
    xml.reserve(xml.size() + kSide * kSide * 4);
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const int number = TiledNumberOf(sheet, grid.At(column, row));
            xml += std::to_string(number + 1);  // an empty cell is 0
            if (row != kSide - 1 || column != kSide - 1) xml += ',';
        }
        xml += '\n';
    }
    xml += "</data>\n </layer>\n" + objects + "</map>\n";
    return xml;
}

}  // namespace

bool ExportToTiled(const std::string& levelDir, const std::string& gameData,
                   const std::string& outDir, bool force, std::string& summary,
                   std::string& message) {
    struct Level {
        const char* file;
        const char* map;
        const Sheet& sheet;
    };
    const Level levels[] = {{kTileLevelFile, "x2.tmx", kTiles},
                            {kBlockLevelFile, "x2fg.tmx", kBlocks}};
    std::error_code error;
    const fs::path out = fs::absolute(outDir), data = fs::absolute(levelDir);
    if (!force)
        for (const Level& level : levels)
            for (const char* name : {level.map, level.sheet.tileset})
                if (fs::exists(out / name, error)) {
                    message = (out / name).string() +
                              ": already there; an edited map is not replaced without --force";
                    return false;
                }
    fs::create_directories(out, error);
    if (error) {
        message = outDir + ": cannot create the folder: " + error.message();
        return false;
    }
    // The tile map carries the folder's actors, when it has them.
    ActorsFile actors;
    bool hasActors = false;
    if (!ReadActorsBeside(data.string(), actors, hasActors, message)) return false;
    for (const Level& level : levels) {
        const std::string levelPath = (data / level.file).string();
        Grid grid;
        std::string reason;
        if (!ReadLevel(levelPath, grid, reason)) {
            message = levelPath + ": " + reason;
            return false;
        }
        // The picture the game would use: the folder's own, else the game's.
        fs::path picture = data / level.sheet.image;
        if (!fs::exists(picture, error) && !gameData.empty())
            picture = fs::path(gameData) / level.sheet.image;
        std::string image = fs::absolute(picture).lexically_normal().string();
        if (InBuildTree(picture.parent_path().parent_path())) {
            if (!Copy(picture, out / level.sheet.image, message)) return false;
            image = level.sheet.image;
        }
        const fs::path tileset = out / level.sheet.tileset, map = out / level.map;
        if (!WriteWhole(tileset.string(), TilesetXml(level.sheet, image), reason)) {
            message = tileset.string() + ": " + reason;
            return false;
        }
        const bool withActors = hasActors && &level.sheet == &kTiles;
        const std::string objects = withActors ? ActorsObjectGroupXml(actors) : "";
        if (!WriteWhole(map.string(),
                        MapXml(level.sheet, level.sheet.tileset, grid, objects,
                               withActors ? ActorObjectCount(actors) : 0),
                        reason)) {
            message = map.string() + ": " + reason;
            return false;
        }
    }
    summary = out.string() + ": x2.tmx" + (hasActors ? " (with its actors)" : "") +
              ", x2fg.tmx, tiles.tsx, blocks.tsx";
    return true;
}

}  // namespace level_tool
