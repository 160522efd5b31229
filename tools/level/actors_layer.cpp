#include "actors_layer.h"

#include <filesystem>

#include "whole_file.h"

namespace level_tool {
namespace {

std::string XmlAttribute(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\n':
                out += "&#10;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The word of a placement's kind, as the file names it.
const char* KindWord(std::int32_t kind) {
    switch (kind) {
        case kPlayerKind:
            return "player";
        case kGoalKind:
            return "goal";
        default:
            return "walker";
    }
}

// Each line of the file in order: kind, x, y.
template <typename Line>
void EachActor(const ActorsFile& actors, Line line) {
    for (std::size_t i = 0; i <= actors.actors.size(); ++i) {
        if (actors.hasStart && actors.startAfter == i) line("start", actors.startX, actors.startY);
        if (i < actors.actors.size()) {
            const ActorPlacement& a = actors.actors[i];
            line(KindWord(a.kind), a.x, a.y);
        }
    }
}

}  // namespace

bool ReadActorsBeside(const std::string& folder, ActorsFile& actors, bool& present,
                      std::string& reason) {
    const std::filesystem::path path = std::filesystem::path(folder) / kActorsFile;
    std::error_code error;
    present = std::filesystem::exists(path, error);
    if (!present) return true;
    std::string text;
    if (!ReadWhole(path.string(), text, reason)) {
        reason = path.string() + ": " + reason;
        return false;
    }
    try {
        actors = ParseActorsText(text);
    } catch (const ActorsFileError& e) {
        reason = path.string() + ": " + e.what();
        return false;
    }
    return true;
}

std::string ActorsText(const ActorsFile& actors) {
    std::string text;
    if (actors.comments.empty()) text = std::string(kActorsHeader) + "\n";
    for (const std::string& comment : actors.comments) text += comment + "\n";
    EachActor(actors, [&](const char* kind, int x, int y) {
        text += std::string(kind) + " " + std::to_string(x) + " " + std::to_string(y) + "\n";
    });
    return text;
}

std::size_t ActorObjectCount(const ActorsFile& actors) {
    return actors.actors.size() + (actors.hasStart ? 1 : 0);
}

std::string ActorsObjectGroupXml(const ActorsFile& actors) {
    std::string xml = " <objectgroup id=\"2\" name=\"" + std::string(kActorsLayer) + "\">\n";
    if (!actors.comments.empty()) {
        std::string comments;
        for (const std::string& comment : actors.comments)
            comments += (comments.empty() ? "" : "\n") + comment;
        xml += "  <properties>\n   <property name=\"comments\" value=\"" + XmlAttribute(comments) +
               "\"/>\n  </properties>\n";
    }
    int id = 0;
    EachActor(actors, [&](const char* kind, int x, int y) {
        xml += "  <object id=\"" + std::to_string(++id) + "\" name=\"" + kind + "\" type=\"" +
               kind + "\" x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
               "\">\n   <point/>\n  </object>\n";
    });
    return xml + " </objectgroup>\n";
}

}  // namespace level_tool
