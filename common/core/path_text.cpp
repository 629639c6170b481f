#include "path_text.h"

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Index of the first separator at or after `from`, or the size of the path.
std::size_t end_of_name(std::string_view path, std::size_t from)
{
    while (from < path.size() && !is_separator(path[from])) ++from;
    return from;
}

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool has_drive_root(std::string_view path)
{
    return path.size() >= 3 && is_drive_letter(path[0]) && path[1] == ':' && is_separator(path[2]);
}

// Two separators, a server name, a separator, a share name and a separator.
bool has_network_root(std::string_view path)
{
    if (path.size() < 2 || !is_separator(path[0]) || !is_separator(path[1])) return false;
    std::size_t server_end = end_of_name(path, 2);
    if (server_end == 2 || server_end == path.size()) return false;
    std::size_t share_end = end_of_name(path, server_end + 1);
    return share_end > server_end + 1 && share_end < path.size();
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

bool is_full_path(std::string_view path) { return has_drive_root(path) || has_network_root(path); }
