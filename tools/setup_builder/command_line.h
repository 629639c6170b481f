// The builder's command line. Commands are words so that others (say, listing what a setup
// file holds) can join "build" later.
#pragma once

#include "defines.h"

#include <optional>
#include <string>
#include <vector>

namespace builder {

struct BuildCommand {
    std::string manifest;
    std::string stub;
    std::string output;
    std::optional<std::string> depfile;
    Defines defines;
};

inline constexpr const char* usage_text =
    "usage: setup_builder build <manifest> --stub <setup program image> --output <setup.exe>\n"
    "                           [--define NAME=VALUE ...] [--depfile <file>]\n";

// `arguments` without the program name. Throws BuildError for anything else than a complete
// build command.
BuildCommand parse_build_command(const std::vector<std::string>& arguments);

} // namespace builder
