#include "defines.h"

#include "build_error.h"

#include <algorithm>
#include <cctype>

namespace builder {

namespace {

bool is_define_name(std::string_view name)
{
    return !name.empty() && std::ranges::all_of(name, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

} // namespace

void add_define(Defines& defines, std::string_view definition)
{
    std::size_t equals = definition.find('=');
    std::string_view name = definition.substr(0, equals);
    if (equals == std::string_view::npos || !is_define_name(name))
        throw BuildError("--define needs NAME=VALUE with a name of letters, digits and \"_\", not \"" +
                         std::string(definition) + "\"");
    if (!defines.emplace(name, definition.substr(equals + 1)).second)
        throw BuildError("--define gives " + std::string(name) + " twice");
}

std::string substitute_defines(std::string_view value, const Defines& defines, int line)
{
    std::string result;
    std::size_t done = 0;
    for (std::size_t start; (start = value.find("${", done)) != std::string_view::npos;) {
        std::size_t end = value.find('}', start + 2);
        if (end == std::string_view::npos) throw BuildError(line, "\"${\" without its closing \"}\"");
        std::string_view name = value.substr(start + 2, end - start - 2);
        auto found = defines.find(name);
        if (found == defines.end())
            throw BuildError(line, "${" + std::string(name) + "} is not defined (pass --define " + std::string(name) +
                                       "=...)");
        result.append(value.substr(done, start - done)).append(found->second);
        done = end + 1;
    }
    return result.append(value.substr(done));
}

} // namespace builder
