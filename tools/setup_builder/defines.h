// Names given on the command line (--define NAME=VALUE) and their use as ${NAME} in manifest
// values, so that a manifest can point into whatever build tree made the programs.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace builder {

using Defines = std::map<std::string, std::string, std::less<>>;

// Adds "NAME=VALUE" to `defines`. Throws BuildError for a malformed or repeated definition.
void add_define(Defines& defines, std::string_view definition);

// `value` with every ${NAME} replaced. Throws BuildError at `line` for an undefined name or a
// "${" without its "}".
std::string substitute_defines(std::string_view value, const Defines& defines, int line);

} // namespace builder
