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

} // namespace

bool is_plain_file_name(std::string_view name)
{
    if (name.find_first_of("\\/:") != std::string_view::npos) return false;
    return !is_only_dots_and_blanks(name);
}

bool is_relative_subdirectory(std::string_view path)
{
    if (path.empty()) return true;
    if (is_separator(path.front()) || path.find(':') != std::string_view::npos) return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        if (is_way_up(path.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}
