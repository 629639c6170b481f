// The builder's command line: a command word, then that command's arguments.
#pragma once

#include "defines.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace builder {

struct BuildCommand {
    std::string manifest;
    std::string stub;
    std::string output;
    std::optional<std::string> depfile;
    Defines defines;
};

// Lists what a setup file holds.
struct ListCommand {
    std::string setup_file;
};

using Command = std::variant<BuildCommand, ListCommand>;

inline constexpr const char* usage_text =
    "usage: setup_builder build <manifest> --stub <setup program image> --output <setup.exe>\n"
    "                           [--define NAME=VALUE ...] [--depfile <file>]\n"
    "       setup_builder list <setup.exe>\n";

// `arguments` without the program name. Throws BuildError for anything else than one complete
// command.
Command parse_command(const std::vector<std::string>& arguments);

} // namespace builder
