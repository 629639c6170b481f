#include "name_rules.h"

#include "install_names.h"
#include "package_format.h"

#include <algorithm>
#include <cstdio>

namespace builder {

using namespace package_format;

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::vector<std::string_view> split_levels(std::string_view path)
{
    std::vector<std::string_view> levels;
    for (std::size_t start = 0;;) {
        std::size_t end = path.find('\\', start);
        levels.push_back(path.substr(start, end - start));
        if (end == std::string_view::npos) return levels;
        start = end + 1;
    }
}

std::string first_control_character(std::string_view text)
{
    auto found = std::ranges::find_if(text, is_control_character);
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", found == text.end() ? 0u : static_cast<unsigned char>(*found));
    return code;
}

// The first of `characters` in the text, quoted.
std::string first_of(std::string_view text, std::string_view characters)
{
    std::size_t at = text.find_first_of(characters);
    return at == std::string_view::npos ? std::string() : quoted(text.substr(at, 1));
}

// The setup program's fault of `text` for a person; `reserved` holds the characters among which
// a reserved one is to be named.
std::optional<std::string> fault_text(NameFault fault, std::string_view text,
                                      std::string_view reserved = reserved_name_characters)
{
    switch (fault) {
    case NameFault::none: return std::nullopt;
    case NameFault::empty: return "it is empty";
    case NameFault::dots_and_blanks_only: return "it is only dots and blanks";
    case NameFault::control_character: return "it holds the control character " + first_control_character(text);
    case NameFault::reserved_character: return "it holds " + first_of(text, reserved);
    case NameFault::absolute: return "it is absolute";
    case NameFault::way_up: return "it has a level of dots and blanks that goes up, such as \"..\"";
    case NameFault::not_an_extension: return "it must be \".\" and at least one more character";
    case NameFault::holds_separator: return "it holds " + first_of(text, "\\/");
    }
    return "it breaks a rule of the setup program";
}

// The reserved characters but "\": a shortcut name or a group may hold it for another purpose.
constexpr std::string_view reserved_but_backslash = "/:*?\"<>|";

std::string root_names_text()
{
    std::string text;
    for (std::string_view root : registry_root_names) text += (text.empty() ? "" : ", ") + std::string(root);
    return text;
}

} // namespace

std::optional<std::string> file_name_problem(std::string_view name)
{
    return fault_text(file_name_fault(name), name);
}

std::optional<std::string> subdirectory_problem(std::string_view subdirectory)
{
    if (subdirectory.find('/') != std::string_view::npos) return "it holds \"/\" (levels are separated by \"\\\")";
    if (std::optional<std::string> problem =
            fault_text(subdirectory_fault(subdirectory), subdirectory, reserved_but_backslash))
        return problem;
    if (subdirectory.empty()) return std::nullopt;
    for (std::string_view level : split_levels(subdirectory))
        if (level.empty()) return "it has an empty level";
    return std::nullopt;
}

std::optional<std::string> shortcut_name_problem(std::string_view shortcut_name)
{
    std::optional<std::string> problem =
        fault_text(shortcut_name_fault(shortcut_name), shortcut_name, reserved_but_backslash);
    if (!problem) return std::nullopt;
    return "its link " + quoted(shortcut_file_name(shortcut_name)) + " is not a plain file name: " + *problem;
}

std::optional<std::string> program_group_problem(std::string_view name, bool create_program_group)
{
    if (program_group_fault(name, create_program_group ? 1 : 0) == NameFault::none) return std::nullopt;
    if (name.empty()) return "it is empty, yet create_program_group is 1";
    for (std::string_view level : split_levels(name))
        if (std::optional<std::string> problem = file_name_problem(level))
            return "its level " + quoted(level) + " is not a plain folder name: " + *problem;
    return "it breaks a rule of the setup program";
}

std::optional<std::string> path_text_problem(std::string_view text)
{
    return fault_text(control_character_fault(text), text);
}

std::optional<std::string> extension_problem(std::string_view extension)
{
    if (std::optional<std::string> problem = fault_text(extension_fault(extension), extension)) return problem;
    if (extension.size() > extension_limit)
        return "it is longer than " + std::to_string(extension_limit) + " characters";
    return std::nullopt;
}

std::vector<std::string> split_key_path(std::string_view path)
{
    std::vector<std::string> levels;
    for (std::string_view level : split_levels(path)) levels.emplace_back(level);
    return levels;
}

std::optional<std::string> key_path_problem(const std::vector<std::string>& levels)
{
    if (std::ranges::find(registry_root_names, levels.front()) == std::end(registry_root_names))
        return "it must start with one of " + root_names_text();
    if (levels.size() - 1 > static_cast<std::size_t>(deepest_key_level))
        return "it is more than " + std::to_string(deepest_key_level) + " levels below its root";
    for (const std::string& level : levels) {
        if (level.empty()) return "it has an empty key name";
        if (level.size() > key_name_limit)
            return "a key name is longer than " + std::to_string(key_name_limit) + " characters";
        if (std::optional<std::string> problem = fault_text(registry_key_name_fault(level), level))
            return "a key name: " + *problem;
    }
    return std::nullopt;
}

std::optional<std::string> value_name_problem(std::string_view name)
{
    return fault_text(registry_value_name_fault(name), name);
}

} // namespace builder
