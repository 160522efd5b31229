// Expat over a whole file for the TMX and TSX readers (tmx_reader.cpp, tileset_identification.cpp):
// a handler's Start, End and Text called for each element and its text, a refusal inside one
// kept and raised once the parser has stopped.
#pragma once

#include <expat.h>

#include <optional>
#include <string>

#include "import_failure.h"
#include "whole_file.h"

namespace level_tool {

// An element's attribute, or "" when it has none.
std::string Attribute(const XML_Char** attributes, const char* name);

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

}  // namespace level_tool
