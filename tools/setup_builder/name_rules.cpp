#include "name_rules.h"

#include "package_format.h"

#include <algorithm>

namespace builder {

using namespace package_format;

namespace {

// Characters no Windows file name may hold, beyond the separators.
constexpr std::string_view reserved_name_characters = "*?\"<>|";

std::optional<std::string> character_problem(std::string_view name)
{
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return "it holds a control character";
        if (c == '\\' || c == '/' || c == ':' || reserved_name_characters.find(c) != std::string_view::npos)
            return "it holds \"" + std::string(1, c) + "\"";
    }
    return std::nullopt;
}

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

std::string root_names_text()
{
    std::string text;
    for (std::string_view root : registry_root_names) text += (text.empty() ? "" : ", ") + std::string(root);
    return text;
}

} // namespace

std::optional<std::string> file_name_problem(std::string_view name)
{
    if (name.empty()) return "it is empty";
    if (name == "." || name == "..") return "it is \"" + std::string(name) + "\"";
    return character_problem(name);
}

std::optional<std::string> subdirectory_problem(std::string_view subdirectory)
{
    if (subdirectory.empty()) return std::nullopt;
    if (subdirectory.find('/') != std::string_view::npos) return "it holds \"/\" (levels are separated by \"\\\")";
    if (subdirectory.front() == '\\' || subdirectory.find(':') != std::string_view::npos) return "it is absolute";
    for (std::string_view level : split_levels(subdirectory)) {
        if (level.empty()) return "it has an empty level";
        if (level == "..") return "it has a \"..\" level";
        if (std::optional<std::string> problem = character_problem(level)) return problem;
    }
    return std::nullopt;
}

std::optional<std::string> extension_problem(std::string_view extension)
{
    if (extension.size() < 2 || extension.front() != '.') return "it must be \".\" and at least one more character";
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
    for (const std::string& level : levels) {
        if (level.empty()) return "it has an empty key name";
        if (level.size() > key_name_limit)
            return "a key name is longer than " + std::to_string(key_name_limit) + " characters";
    }
    return std::nullopt;
}

} // namespace builder
