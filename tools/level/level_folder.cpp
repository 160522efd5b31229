#include "level_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "level_grid.h"
#include "whole_file.h"

namespace level_tool {
namespace {

// A value as Qt 5's settings write it, which is how Tiled 1.8 reads its own: text outside
// printable ASCII as \x and its UTF-16 code unit in hex (a hex digit right after one escaped too,
// so it is not read as part of it), and in quotes when it holds ; , = or starts or ends with a
// space. Written as plain UTF-8, a folder named "niveau été 2" came back as another name.
std::string QtIniValue(const std::string& utf8) {
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        char32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            code = (code << 6) |
                   (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (code >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
    }
    std::string out;
    bool quotes = !units.empty() && (units.front() == u' ' || units.back() == u' ');
    bool escapeHexDigit = false;
    for (const char16_t unit : units) {
        const bool hexDigit = (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f') ||
                              (unit >= u'A' && unit <= u'F');
        if (unit == u';' || unit == u',' || unit == u'=') quotes = true;
        if (unit == u'"' || unit == u'\\') {
            out += '\\';
            out += static_cast<char>(unit);
            escapeHexDigit = false;
        } else if (unit < 0x20 || unit >= 0x7F || (escapeHexDigit && hexDigit)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%x", static_cast<unsigned>(unit));
            out += hex;
            escapeHexDigit = true;
        } else {
            out += static_cast<char>(unit);
            escapeHexDigit = false;
        }
    }
    return quotes ? "\"" + out + "\"" : out;
}

namespace fs = std::filesystem;

bool HasLevel(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / kTileLevelFile, error);
}

}  // namespace

// A build tree's data folder is data/ beside the tool, with the build's CMake cache above it.
bool InBuildTree(const fs::path& data) {
    std::error_code error;
    return fs::exists(data.parent_path() / "CMakeCache.txt", error);
}

bool Copy(const fs::path& from, const fs::path& to, std::string& message) {
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    std::string bytes, reason;
    if (!ReadWhole(from.string(), bytes, reason) || !WriteWhole(to.string(), bytes, reason)) {
        message = to.string() + ": cannot copy " + from.string() + ": " + reason;
        return false;
    }
    return true;
}

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

bool WriteTilesets(const std::string& folder, const std::string& imagePrefix,
                   std::string& message) {
    for (const Sheet* sheet : {&kTiles, &kBlocks}) {
        const std::string path = (fs::path(folder) / sheet->tileset).string();
        std::string reason;
        if (!WriteWhole(path, TilesetXml(*sheet, imagePrefix + sheet->image), reason)) {
            message = path + ": " + reason;
            return false;
        }
    }
    return true;
}

bool NewLevelFolder(const std::string& folderName, const std::string& dataName,
                    std::string& summary, std::string& message) {
    std::error_code error;
    const fs::path folder = fs::absolute(folderName, error).lexically_normal();
    const fs::path data = fs::canonical(dataName, error);
    if (error || !HasLevel(data)) {
        message = dataName + ": not the game's data folder (no x2.lvl there)";
        return false;
    }
    if (fs::exists(folder, error) && !fs::is_empty(folder, error)) {
        message = folderName + ": the folder already holds files; name a new or empty one";
        return false;
    }
    fs::create_directories(folder, error);
    if (error) {
        message = folderName + ": cannot create the folder: " + error.message();
        return false;
    }
    for (const char* level : {kTileLevelFile, kBlockLevelFile})
        if (!Copy(data / level, folder / level, message)) return false;

    // Installed data stays where it is; a build tree's is copied, so that a clean build or a
    // removed clone breaks nothing in the folder.
    const bool copy = InBuildTree(data);
    std::string prefix = data.string() + "/";
    fs::path extensions = data / "tiled";
    if (copy) {
        for (const Sheet* sheet : {&kTiles, &kBlocks})
            if (!Copy(data / sheet->image, folder / sheet->image, message)) return false;
        if (!Copy(data / "tiled" / "vorn7-level.js", folder / "extensions" / "vorn7-level.js",
                  message))
            return false;
        prefix.clear();
        extensions = "extensions";
    }
    if (!WriteTilesets(folder.string(), prefix, message)) return false;

    // The project: Tiled loads the extension from it (whose Play in Vorn7, F5, plays where the
    // map is shown), and its command starts a game on the folder at the start view.
    // In a build tree the game is beside its data; installed, the launcher is beside this tool
    // (make install) or in the games folder beside it (the package: /usr/bin and /usr/games).
    fs::path game = data.parent_path() / "vorn7";
    if (!copy) {
        const fs::path bin = fs::canonical("/proc/self/exe", error).parent_path();
        game = bin / "vorn7";
        if (!fs::exists(game, error)) game = bin.parent_path() / "games" / "vorn7";
    }
    nlohmann::ordered_json project = {
        {"automappingRulesFile", ""},
        {"commands",
         {{{"arguments", "--watch --windowed \"" + folder.string() + "\""},
           {"command", game.string()},
           {"enabled", true},
           {"name", kPlayCommand},
           {"saveBeforeExecute", true},
           {"shortcut", ""},
           {"showOutput", true},
           {"workingDirectory", folder.string()}}}},
        {"extensionsPath", extensions.string()},
        {"folders", {"."}},
        {"objectTypesFile", ""},
        {"propertyTypes", nlohmann::json::array()}};
    const fs::path projectFile = folder / "vorn7.tiled-project";
    std::string reason;
    if (!WriteWhole(projectFile.string(), project.dump(4) + "\n", reason)) {
        message = projectFile.string() + ": " + reason;
        return false;
    }
    if (!WriteWhole((folder / kSessionFile).string(), SessionJson(), reason)) {
        message = (folder / kSessionFile).string() + ": " + reason;
        return false;
    }
    summary = folder.string() + ": x2.lvl, x2fg.lvl, tiles.tsx, blocks.tsx, " +
              "vorn7.tiled-project and its session" +
              (copy ? ", with the pictures and the extension" : "");
    return true;
}

std::string SessionJson() {
    // Paths in a session are relative to it: the folder can be moved.
    return "{\n    \"activeFile\": \"\",\n    \"expandedProjectPaths\": [\".\"],\n"
           "    \"openFiles\": [],\n    \"project\": \"vorn7.tiled-project\",\n"
           "    \"recentFiles\": []\n}\n";
}

bool MakeTiledOpen(const std::string& folderName, std::string& session, std::string& message) {
    std::error_code error;
    const fs::path folder = fs::absolute(folderName, error).lexically_normal();
    if (!fs::is_regular_file(folder / "vorn7.tiled-project", error)) {
        message = folderName +
                  ": no vorn7.tiled-project (vorn7-level new FOLDER makes a level "
                  "folder with one)";
        return false;
    }
    const fs::path sessionFile = folder / kSessionFile;
    std::string reason;
    if (!fs::exists(sessionFile, error) &&
        !WriteWhole(sessionFile.string(), SessionJson(), reason)) {
        message = sessionFile.string() + ": " + reason;
        return false;
    }
    // Tiled's settings, as Qt keeps them: Project/LastSession in an INI file.
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const fs::path config =
        (configHome != nullptr && configHome[0] == '/' ? fs::path(configHome)
                                                       : fs::path(home ? home : ".") / ".config") /
        "mapeditor.org" / "tiled.conf";
    std::vector<std::string> lines;
    if (fs::exists(config, error)) {
        std::string text;
        if (!ReadWhole(config.string(), text, reason)) {
            message = config.string() + ": " + reason;
            return false;
        }
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    const std::string value = "LastSession=" + QtIniValue(sessionFile.string());
    bool inProject = false, set = false;
    for (std::size_t i = 0; i < lines.size() && !set; ++i) {
        if (!lines[i].empty() && lines[i][0] == '[') {
            if (inProject) {  // the section ends without the key
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), value);
                set = true;
            }
            inProject = lines[i] == "[Project]";
        } else if (inProject && lines[i].rfind("LastSession=", 0) == 0) {
            lines[i] = value;
            set = true;
        }
    }
    if (!set) {
        if (!inProject) {
            if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
            lines.emplace_back("[Project]");
        }
        lines.push_back(value);
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    fs::create_directories(config.parent_path(), error);
    if (!WriteWhole(config.string(), text, reason)) {
        message = config.string() + ": " + reason;
        return false;
    }
    session = sessionFile.string();
    return true;
}

}  // namespace level_tool
