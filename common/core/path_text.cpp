#include "path_text.h"

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Index of the first separator at or after `from`, or the size of the path.
std::size_t end_of_name(std::string_view path, std::size_t from)
{
    while (from < path.size() && !is_separator(path[from])) ++from;
    return from;
}

} // namespace

void strip_trailing_separators(std::string& text)
{
    while (text.size() > 1 && is_separator(text.back())) text.pop_back();
}

bool parent_directory(std::string_view path, std::string& output)
{
    std::size_t separator = path.find_last_of('\\');
    if (separator == std::string_view::npos || separator == 0) {
        output.clear();
        return false;
    }
    output.assign(path.substr(0, separator));
    return true;
}

std::string path_root(std::string_view path)
{
    if (path.empty() || !is_separator(path.front())) return std::string(path.substr(0, 3));

    std::size_t end = 0;
    while (end < path.size() && is_separator(path[end])) ++end;
    end = end_of_name(path, end);
    if (end < path.size()) ++end; // the separator after the server name
    end = end_of_name(path, end);
    if (end < path.size()) ++end; // the separator after the share name
    return std::string(path.substr(0, end));
}
