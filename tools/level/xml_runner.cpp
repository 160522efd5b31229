#include "xml_runner.h"

#include <cstring>

namespace level_tool {

std::string Attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i] != nullptr; i += 2)
        if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
    return "";
}

}  // namespace level_tool
