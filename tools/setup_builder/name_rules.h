// What names in a manifest must look like so that the installation puts things where the
// manifest says. Each function returns what is wrong, or nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace builder {

// A file name without folder: the installation appends it to a directory.
std::optional<std::string> file_name_problem(std::string_view name);

// A folder below the target folder, levels separated by "\"; it must stay below it.
std::optional<std::string> subdirectory_problem(std::string_view subdirectory);

// An extension as the associations use it: "." and at least one more character.
std::optional<std::string> extension_problem(std::string_view extension);

// "HKEY_CURRENT_USER\Software\Zelmor Graphics" as its levels, root first.
std::vector<std::string> split_key_path(std::string_view path);

// A root that is one of the four predefined keys, then non-empty key names.
std::optional<std::string> key_path_problem(const std::vector<std::string>& levels);

} // namespace builder
