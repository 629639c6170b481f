#include "install_log_text.h"

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// The drive root (C:\) or the start of a network path is never a created level.
constexpr std::size_t uncut_prefix = 4;

bool equals_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

} // namespace

std::string log_value_line(std::string_view kind, std::optional<std::string_view> value,
                           std::optional<std::string_view> key_name, std::string_view log_path)
{
    if (kind == log_registry_entry || kind == log_registry_value) {
        std::string line(key_name.value_or(std::string_view()));
        line += '\\';
        line += value.value_or(std::string_view());
        return line;
    }
    return std::string(value ? *value : log_path);
}

std::vector<std::string> created_directory_levels(std::string_view path, int count)
{
    std::vector<std::string> levels;
    if (count < 1) return levels;
    // The separators from the end, nearest first, that may be cut.
    std::vector<std::size_t> cuts;
    for (std::size_t i = path.size(); i > uncut_prefix && cuts.size() + 1 < static_cast<std::size_t>(count); --i)
        if (is_separator(path[i - 1])) cuts.push_back(i - 1);
    // A count larger than the levels there are gives the cuts that exist, outermost first.
    for (std::size_t k = cuts.size(); k > 0; --k) levels.emplace_back(path.substr(0, cuts[k - 1]));
    levels.emplace_back(path);
    return levels;
}

bool UninstallShortcutScan::take(const std::string& line)
{
    if (value_follows_) {
        value_follows_ = false;
        if (line.find("Uninstall ") != std::string::npos) paths_.push_back(line);
    } else {
        value_follows_ = equals_ignoring_case(line, log_program_group_shortcut);
    }
    return paths_.size() < path_limit;
}

std::vector<std::string> UninstallShortcutScan::stale() const
{
    std::vector<std::string> paths;
    if (paths_.size() < 2) return paths;
    const std::string& kept = paths_.back();
    for (std::size_t i = 0; i + 1 < paths_.size(); ++i)
        if (paths_[i] != kept) paths.push_back(paths_[i]);
    return paths;
}
