#include "install_log_text.h"

#include "install_texts.h"
#include "text_case.h"

using namespace std::string_view_literals;

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// The drive root (C:\) or the start of a network path is never a created level.
constexpr std::size_t uncut_prefix = 4;

} // namespace

std::string log_value_line(std::string_view kind, std::optional<std::string_view> value,
                           std::optional<std::string_view> key_name, std::string_view log_path)
{
    if (kind == log_registry_entry || kind == log_registry_value)
        return join({key_name.value_or(std::string_view()), "\\"sv, value.value_or(std::string_view())});
    return std::string(value ? *value : log_path);
}

std::string log_entry_text(std::string_view kind, std::string_view value_line)
{
    return join({kind, "\r\n"sv, value_line, "\r\n"sv});
}

std::size_t created_level_end(std::string_view path, int k)
{
    for (std::size_t i = path.size(); i > uncut_prefix; --i)
        if (is_separator(path[i - 1]) && --k == 0) return i - 1;
    return std::string_view::npos;
}

bool UninstallShortcutScan::take(const std::string& line)
{
    if (value_follows_) {
        value_follows_ = false;
        if (line.find("Uninstall ") != std::string::npos) {
            last_ = paths_.size();
            paths_.append(line).push_back('\0');
            ++count_;
        }
    } else {
        value_follows_ = equal_ignoring_case(line, log_program_group_shortcut);
    }
    return count_ < path_limit;
}

const char* UninstallShortcutScan::next_stale(std::size_t& position) const
{
    std::string_view last(paths_.c_str() + last_);
    while (position < last_) {
        const char* path = paths_.c_str() + position;
        std::string_view text(path);
        position += text.size() + 1;
        if (text != last) return path;
    }
    return nullptr;
}
