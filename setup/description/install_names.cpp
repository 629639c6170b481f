#include "install_names.h"

#include <algorithm>

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_only_dots_and_blanks(std::string_view level)
{
    return std::all_of(level.begin(), level.end(), [](char c) { return c == '.' || c == ' '; });
}

bool is_way_up(std::string_view level)
{
    return is_only_dots_and_blanks(level) && std::count(level.begin(), level.end(), '.') >= 2;
}

// Control characters first: they are the worse fault of a text that has both.
NameFault character_fault(std::string_view text, std::string_view reserved)
{
    if (control_character_fault(text) != NameFault::none) return NameFault::control_character;
    if (text.find_first_of(reserved) != std::string_view::npos) return NameFault::reserved_character;
    return NameFault::none;
}

} // namespace

bool is_control_character(char c) { return static_cast<unsigned char>(c) < 0x20; }

NameFault control_character_fault(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), is_control_character) ? NameFault::control_character
                                                                       : NameFault::none;
}

NameFault file_name_fault(std::string_view name)
{
    if (name.empty()) return NameFault::empty;
    if (NameFault fault = character_fault(name, reserved_name_characters); fault != NameFault::none) return fault;
    return is_only_dots_and_blanks(name) ? NameFault::dots_and_blanks_only : NameFault::none;
}

NameFault subdirectory_fault(std::string_view path)
{
    if (path.empty()) return NameFault::none;
    if (is_separator(path.front()) || path.find(':') != std::string_view::npos) return NameFault::absolute;
    // The separators and ":" are taken care of above; every other reserved character is refused.
    constexpr std::string_view reserved_in_level = "*?\"<>|";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        std::string_view level = path.substr(start, end - start);
        if (is_way_up(level)) return NameFault::way_up;
        if (NameFault fault = character_fault(level, reserved_in_level); fault != NameFault::none) return fault;
        start = end + 1;
    }
    return NameFault::none;
}

std::string shortcut_description(std::string_view shortcut_name)
{
    std::string description(shortcut_name);
    std::replace(description.begin(), description.end(), '\\', ' ');
    return description;
}

std::string shortcut_file_name(std::string_view shortcut_name)
{
    return shortcut_description(shortcut_name).append(".lnk");
}

NameFault shortcut_name_fault(std::string_view shortcut_name)
{
    return file_name_fault(shortcut_file_name(shortcut_name));
}

NameFault program_group_fault(std::string_view name, std::uint32_t create_program_group)
{
    if (name.empty()) return create_program_group == 1 ? NameFault::empty : NameFault::none;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = std::min(name.find('\\', start), name.size());
        if (NameFault fault = file_name_fault(name.substr(start, end - start)); fault != NameFault::none) return fault;
        start = end + 1;
    }
    return NameFault::none;
}

NameFault extension_fault(std::string_view extension)
{
    if (extension.size() < 2 || extension.front() != '.') return NameFault::not_an_extension;
    if (control_character_fault(extension) != NameFault::none) return NameFault::control_character;
    if (extension.find_first_of("\\/") != std::string_view::npos) return NameFault::holds_separator;
    return NameFault::none;
}

NameFault registry_key_name_fault(std::string_view name) { return control_character_fault(name); }

NameFault registry_value_name_fault(std::string_view name)
{
    if (control_character_fault(name) != NameFault::none) return NameFault::control_character;
    if (name.find('\\') != std::string_view::npos) return NameFault::holds_separator;
    return NameFault::none;
}
