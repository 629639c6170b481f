// What names in a manifest must look like so that the installation puts things where the
// manifest says. The rules are the setup program's own (setup/description/install_names.h), so
// that the builder never writes a package that the setup program refuses; a few more keep
// manifests tidy. Each function returns what is wrong, for a person, or nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace builder {

// A file name without folder: the installation appends it to a directory.
std::optional<std::string> file_name_problem(std::string_view name);

// A folder below the target folder, levels separated by "\"; it must stay below it. Beyond the
// setup program's rule, the builder takes no "/" and no empty level.
std::optional<std::string> subdirectory_problem(std::string_view subdirectory);

// A shortcut's caption, whose link file name is the caption with "\" made a blank and ".lnk".
std::optional<std::string> shortcut_name_problem(std::string_view shortcut_name);

// The program group, "\" between nested folders; empty only without a program group.
std::optional<std::string> program_group_problem(std::string_view name, bool create_program_group);

// A text that becomes part of a path or an install log line: no control character.
std::optional<std::string> path_text_problem(std::string_view text);

// An extension as the associations use it: "." and at least one more character, one key level.
std::optional<std::string> extension_problem(std::string_view extension);

// "HKEY_CURRENT_USER\Software\Zelmor Graphics" as its levels, root first.
std::vector<std::string> split_key_path(std::string_view path);

// A root that is one of the four predefined keys, then non-empty key names, not deeper than
// the registry allows.
std::optional<std::string> key_path_problem(const std::vector<std::string>& levels);

// A value name as the install log names it after its key.
std::optional<std::string> value_name_problem(std::string_view name);

} // namespace builder
