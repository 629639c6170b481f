#include "removal_plan.h"

#include "install_log_kinds.h"
#include "path_text.h"
#include "text_case.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr char not_ours_text[] = "Not removed, not a folder of this installation: ";

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Windows refuses these in a file name; a ":" past the drive would name a stream of the item.
bool is_name_character(char c)
{
    if (static_cast<unsigned char>(c) < 0x20) return false;
    return std::string_view("<>:\"|?*").find(c) == std::string_view::npos;
}

bool is_plain_name(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), is_name_character);
}

std::size_t end_of_name(std::string_view path, std::size_t from)
{
    while (from < path.size() && !is_separator(path[from])) ++from;
    return from;
}

// The root of the path in comparable form ("c:", "\\server\share") and where the names after it
// begin; none for a path without a drive root or a share root.
struct Root {
    std::string text;
    std::size_t names_begin;
};

std::optional<Root> root_of(std::string_view path)
{
    if (path.size() >= 3 && is_drive_letter(path[0]) && path[1] == ':' && is_separator(path[2]))
        return Root{std::string(path.substr(0, 2)), 3};
    if (path.size() < 2 || !is_separator(path[0]) || !is_separator(path[1])) return std::nullopt;
    std::size_t server_end = end_of_name(path, 2);
    if (server_end == path.size()) return std::nullopt;
    std::size_t share_end = end_of_name(path, server_end + 1);
    std::string_view server = path.substr(2, server_end - 2);
    std::string_view share = path.substr(server_end + 1, share_end - server_end - 1);
    // "\\." and "\\?" lead to devices, not to a share.
    if (!is_plain_name(server) || !is_plain_name(share) || server.find_first_not_of('.') == std::string_view::npos)
        return std::nullopt;
    std::string text = "\\\\";
    text.append(server).append("\\").append(share);
    return Root{std::move(text), share_end};
}

// The names after the root as Windows resolves them: a name of dots and blanks only stands for
// the folder itself (after the trailing ones are dropped), ".." for the one above, never above
// the root. None when a name holds a character that no file name holds.
std::optional<std::vector<std::string_view>> resolved_names(std::string_view names_text)
{
    std::vector<std::string_view> names;
    std::size_t begin = 0;
    while (begin < names_text.size()) {
        std::size_t end = end_of_name(names_text, begin);
        std::string_view name = names_text.substr(begin, end - begin);
        begin = end + 1;
        if (!std::all_of(name.begin(), name.end(), is_name_character)) return std::nullopt;
        if (name == "..") {
            if (!names.empty()) names.pop_back();
            continue;
        }
        std::size_t kept = name.find_last_not_of(". ");
        if (kept != std::string_view::npos) names.push_back(name.substr(0, kept + 1));
    }
    return names;
}

// Whether the comparable path lies inside the comparable folder.
bool lies_inside(std::string_view path, std::string_view folder)
{
    return path.size() > folder.size() && path[folder.size()] == '\\' && path.substr(0, folder.size()) == folder;
}

// Whether the kind's value is a path that the removal deletes or removes.
bool names_path(EntryKind kind)
{
    switch (kind) {
    case EntryKind::directory_created:
    case EntryKind::program_group_created:
    case EntryKind::desktop_shortcut:
    case EntryKind::program_group_shortcut:
    case EntryKind::startup_shortcut:
    case EntryKind::file_created:
    case EntryKind::file_ask_to_remove:
    case EntryKind::file_ask_to_remove_and_unregister:
    case EntryKind::delete_list: return true;
    case EntryKind::description:
    case EntryKind::registry_entry:
    case EntryKind::registry_value:
    case EntryKind::unknown: return false;
    }
    return false;
}

// may_belong_to_installation with the value already in comparable form.
bool may_belong(EntryKind kind, const std::optional<std::string>& path, const ProtectedFolders& protected_folders)
{
    return !names_path(kind) || (path && !protected_folders.covers(*path));
}

} // namespace

std::optional<std::string> comparable_path(std::string_view path)
{
    std::optional<Root> root = root_of(path);
    if (!root) return std::nullopt;
    std::optional<std::vector<std::string_view>> names = resolved_names(path.substr(root->names_begin));
    if (!names || names->empty()) return std::nullopt;
    std::string comparable = std::move(root->text);
    for (std::string_view name : *names) comparable.append("\\").append(name);
    return lower_case(comparable);
}

PathSet::PathSet(std::vector<std::string> comparable_paths) : paths_(std::move(comparable_paths))
{
    std::sort(paths_.begin(), paths_.end());
    paths_.erase(std::unique(paths_.begin(), paths_.end()), paths_.end());
}

bool PathSet::contains(std::string_view comparable) const
{
    return std::binary_search(paths_.begin(), paths_.end(), comparable, std::less<>());
}

// The paths inside a folder sort right after the folder's own text and a "\".
bool PathSet::has_path_inside(std::string_view comparable_folder) const
{
    std::string inside = std::string(comparable_folder) + '\\';
    auto first = std::lower_bound(paths_.begin(), paths_.end(), inside);
    return first != paths_.end() && lies_inside(*first, comparable_folder);
}

ProtectedFolders::ProtectedFolders(const std::vector<std::string>& paths)
{
    std::vector<std::string> comparable;
    for (const std::string& path : paths)
        if (std::optional<std::string> folder = comparable_path(path)) comparable.push_back(std::move(*folder));
    folders_ = PathSet(std::move(comparable));
}

bool ProtectedFolders::covers(std::string_view comparable_folder) const
{
    return folders_.contains(comparable_folder) || folders_.has_path_inside(comparable_folder);
}

bool may_belong_to_installation(const UninstallEntry& entry, const ProtectedFolders& protected_folders)
{
    std::optional<std::string> path;
    if (names_path(entry.kind)) path = comparable_path(entry.value);
    return may_belong(entry.kind, path, protected_folders);
}

std::optional<std::string> logged_destination(const std::vector<UninstallEntry>& entries)
{
    auto log_entry = std::find_if(entries.begin(), entries.end(), [](const UninstallEntry& entry) {
        return entry.kind == EntryKind::file_created &&
               equal_ignoring_case(file_name_part(entry.value), install_log_file_name);
    });
    std::string folder;
    if (log_entry == entries.end() || !parent_directory(log_entry->value, folder)) return std::nullopt;
    return comparable_path(folder);
}

std::vector<Treatment> removal_plan(const std::vector<UninstallEntry>& entries,
                                    const ProtectedFolders& protected_folders)
{
    std::vector<std::optional<std::string>> paths(entries.size());
    std::vector<std::string> created;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!names_path(entries[i].kind)) continue;
        paths[i] = comparable_path(entries[i].value);
        if (entries[i].kind == EntryKind::directory_created && paths[i]) created.push_back(*paths[i]);
    }
    // The destination counts as created: a folder that holds it is a parent level as well.
    std::optional<std::string> destination = logged_destination(entries);
    if (destination) created.push_back(*destination);
    const PathSet created_folders(std::move(created));
    auto emptied = [&](const std::string& folder) {
        return destination && (folder == *destination || lies_inside(folder, *destination));
    };

    std::vector<bool> duplicates = earlier_duplicates(entries);
    std::vector<Treatment> plan(entries.size(), Treatment::nothing);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EntryKind kind = entries[i].kind;
        if (duplicates[i] || kind == EntryKind::description || kind == EntryKind::unknown) continue;
        if (!may_belong(kind, paths[i], protected_folders)) {
            plan[i] = Treatment::not_ours;
        } else if (kind == EntryKind::directory_created && created_folders.has_path_inside(*paths[i]) &&
                   !emptied(*paths[i])) {
            plan[i] = Treatment::remove_if_empty;
        } else {
            plan[i] = Treatment::remove;
        }
    }
    return plan;
}

std::string not_ours_line(std::string_view value) { return not_ours_text + std::string(value); }
