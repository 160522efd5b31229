#include "tiled_export.h"

#include <filesystem>

#include "level_grid.h"

namespace level_tool {
namespace {

namespace fs = std::filesystem;

std::string TilesetXml(const Sheet& sheet, const std::string& imagePath) {
    // The see-through colour of every picture is the tileset's transparent colour.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<tileset version=\"1.8\" tiledversion=\"1.8.2\" name=\"" +
           std::string(sheet.name) + "\" tilewidth=\"" + std::to_string(sheet.tileSize) +
           "\" tileheight=\"" + std::to_string(sheet.tileSize) + "\" spacing=\"" +
           std::to_string(sheet.spacing) + "\" margin=\"" + std::to_string(sheet.margin) +
           "\" tilecount=\"" + std::to_string(sheet.count) + "\" columns=\"" +
           std::to_string(sheet.columns) + "\">\n <image source=\"" + imagePath +
           "\" trans=\"bdc6ff\" width=\"" + std::to_string(sheet.imageWidth) + "\" height=\"" +
           std::to_string(sheet.imageHeight) + "\"/>\n</tileset>\n";
}

std::string MapXml(const Sheet& sheet, const char* tilesetFile, const Grid& grid) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" "
        "renderorder=\"right-down\" width=\"256\" height=\"256\" tilewidth=\"" +
        std::to_string(sheet.tileSize) + "\" tileheight=\"" + std::to_string(sheet.tileSize) +
        "\" infinite=\"0\" nextlayerid=\"2\" nextobjectid=\"1\">\n"
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
    xml += "</data>\n </layer>\n</map>\n";
    return xml;
}

}  // namespace

bool ExportToTiled(const std::string& dataDir, const std::string& outDir, std::string& message) {
    std::error_code error;
    fs::create_directories(outDir, error);
    if (error) {
        message = outDir + ": cannot create the folder: " + error.message();
        return false;
    }
    const fs::path out = fs::absolute(outDir), data = fs::absolute(dataDir);
    struct Level {
        const char* file;
        const char* map;
        const char* tileset;
        const Sheet& sheet;
    };
    const Level levels[] = {{"x2.lvl", "x2.tmx", "tiles.tsx", kTiles},
                            {"x2fg.lvl", "x2fg.tmx", "blocks.tsx", kBlocks}};
    for (const Level& level : levels) {
        const std::string levelPath = (data / level.file).string();
        Grid grid;
        std::string reason;
        if (!ReadLevel(levelPath, grid, reason)) {
            message = levelPath + ": " + reason;
            return false;
        }
        // The pictures are referenced where they are, relative to the tileset.
        const std::string image =
            fs::relative(data / level.sheet.image, out, error).generic_string();
        const fs::path tileset = out / level.tileset, map = out / level.map;
        if (!WriteWhole(tileset.string(), TilesetXml(level.sheet, image), reason)) {
            message = tileset.string() + ": " + reason;
            return false;
        }
        if (!WriteWhole(map.string(), MapXml(level.sheet, level.tileset, grid), reason)) {
            message = map.string() + ": " + reason;
            return false;
        }
    }
    return true;
}

}  // namespace level_tool
