#include "uninstall_logic.h"

#include "install_log_kinds.h"
#include "text_case.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

namespace {

bool is_quote(char c)
{
    auto byte = static_cast<unsigned char>(c);
    return byte == 0x22 || byte == 0x93 || byte == 0x94;
}

struct KindText {
    EntryKind kind;
    const char* line;
    const char* label;
};

constexpr KindText kind_texts[] = {
    {EntryKind::description, log_kind::description, ""},
    {EntryKind::directory_created, log_kind::directory_created, "Remove Directory"},
    {EntryKind::program_group_created, log_kind::program_group, "Remove Directory"},
    {EntryKind::desktop_shortcut, log_kind::desktop_shortcut, "Delete File"},
    {EntryKind::program_group_shortcut, log_kind::program_group_shortcut, "Delete File"},
    {EntryKind::startup_shortcut, log_kind::startup_shortcut, "Delete File"},
    {EntryKind::file_created, log_kind::file_created, "Delete File"},
    {EntryKind::file_ask_to_remove, log_kind::file_ask_to_remove, "Ask to Delete File"},
    {EntryKind::file_ask_to_remove_and_unregister, log_kind::file_ask_to_remove_and_unregister,
     "Ask to un-register and Delete File"},
    {EntryKind::delete_list, log_kind::delete_list, "Delete File"},
    {EntryKind::registry_entry, log_kind::registry_entry, "Remove Registry Entry"},
    {EntryKind::registry_value, log_kind::registry_value, "Remove Registry Value"},
};

bool is_file_kind(EntryKind kind)
{
    return kind == EntryKind::file_created || kind == EntryKind::file_ask_to_remove ||
           kind == EntryKind::file_ask_to_remove_and_unregister;
}

} // namespace

// ---- command lines

std::string command_argument(std::size_t n, std::string_view command_line)
{
    std::size_t index = 0;
    bool quoted = false;
    std::string argument;
    for (char c : command_line) {
        if (is_quote(c)) {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (index == n) return argument;
            ++index;
        } else if (index == n) {
            argument += c;
        }
    }
    return index == n ? argument : std::string();
}

bool is_working_copy(std::string_view command_line) { return command_line.find(working_copy_marker) != std::string_view::npos; }

std::string working_copy_command_line(std::string_view temporary_copy, std::string_view log_argument,
                                      std::string_view started_copy)
{
    std::string line;
    for (std::string_view part : {temporary_copy, log_argument, started_copy}) {
        line += '"';
        line += part;
        line += "\" ";
    }
    return line + working_copy_marker;
}

// ---- the install log's entries

std::optional<EntryKind> kind_from_line(std::string_view line)
{
    for (const KindText& text : kind_texts)
        if (equal_ignoring_case(line, text.line)) return text.kind;
    return std::nullopt;
}

const char* details_label(EntryKind kind)
{
    for (const KindText& text : kind_texts)
        if (text.kind == kind) return text.label;
    return "Warning";
}

std::vector<UninstallEntry> read_log_entries(LineSource& source)
{
    std::vector<UninstallEntry> entries;
    std::string line;
    while (source.read_line(line)) {
        std::optional<EntryKind> kind = kind_from_line(line);
        if (!kind) {
            entries.push_back({EntryKind::unknown, unknown_function_text});
            continue;
        }
        std::string value;
        if (source.read_line(value)) entries.push_back({*kind, std::move(value)});
    }
    return entries;
}

// ---- the first page

std::string_view file_name_part(std::string_view path)
{
    std::size_t separator = path.rfind('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string missing_log_text(std::string_view named_log, std::string_view log_beside_program)
{
    std::string text = "Can not find: ";
    text += named_log;
    text += "\r\nCan not find: ";
    text += log_beside_program;
    text += "\r\n\r\nUnable to find the Install_Log.txt file which controls this uninstall program.\r\n\r\n"
            "Can not continue the uninstall process. ";
    return text;
}

std::optional<std::string> installation_name(const std::vector<UninstallEntry>& entries)
{
    for (const UninstallEntry& entry : entries)
        if (entry.kind == EntryKind::description) return entry.value;
    return std::nullopt;
}

std::string introduction_text(const std::vector<UninstallEntry>& entries)
{
    std::optional<std::string> name = installation_name(entries);
    return name ? "This program will uninstall " + *name + "\r\n" : std::string();
}

bool running_program_matches(std::string_view program_file_name, const UninstallEntry& entry)
{
    if (program_file_name.empty()) return false;
    if (entry.kind != EntryKind::file_created && entry.kind != EntryKind::delete_list) return false;
    std::string_view entry_name = file_name_part(entry.value);
    if (equal_ignoring_case(entry_name, "uninstall.exe")) return false;
    return contains_ignoring_case(entry_name, program_file_name);
}

std::string running_programs_warning(const std::vector<std::string>& program_paths,
                                     const std::vector<UninstallEntry>& entries)
{
    std::string warning;
    for (const std::string& path : program_paths) {
        std::string_view program = file_name_part(path);
        auto match = std::find_if(entries.begin(), entries.end(),
                                  [&](const UninstallEntry& entry) { return running_program_matches(program, entry); });
        if (match == entries.end()) continue;
        if (warning.empty()) {
            warning = "\r\nWARNING: Some of the files you will be deleting are currently running on the system.  It "
                      "is recommended you close the following applications before uninstalling:\r\n";
        }
        warning += file_name_part(match->value);
        warning += "\r\n";
    }
    return warning;
}

std::string uninstall_page_details(std::string_view shown_text, const std::vector<UninstallEntry>& entries)
{
    std::string text(shown_text);
    text += "\r\nDetails\r\n";
    std::set<std::pair<EntryKind, std::string_view>> listed;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (text.size() > details_text_limit) break;
        if (entry->kind == EntryKind::description) continue;
        if (!listed.emplace(entry->kind, entry->value).second) continue;
        text += details_label(entry->kind);
        text += ' ';
        text += entry->value;
        text += "\r\n";
    }
    return text;
}

// ---- the removal

std::vector<bool> earlier_duplicates(const std::vector<UninstallEntry>& entries)
{
    std::vector<bool> duplicates(entries.size());
    std::set<std::pair<EntryKind, std::string_view>> seen;
    for (std::size_t i = 0; i < entries.size(); ++i)
        duplicates[i] = !seen.emplace(entries[i].kind, entries[i].value).second;
    return duplicates;
}

// The writer joins key levels with "\" only, so a "/" belongs to a name (a MIME type such as
// text/plain is a key name) and never separates levels.
RegistryPath split_registry_path(std::string_view value)
{
    RegistryPath path;
    std::size_t first = value.find('\\');
    if (first == std::string_view::npos) {
        path.root_name = value;
        return path;
    }
    path.root_name = value.substr(0, first);
    std::string_view rest = value.substr(first + 1);
    std::size_t last = rest.rfind('\\');
    if (last == std::string_view::npos) {
        path.last_name = rest;
    } else {
        path.parent_key = rest.substr(0, last);
        path.last_name = rest.substr(last + 1);
    }
    return path;
}

std::string delete_question(std::string_view path)
{
    std::string question = "The file ";
    question += path;
    question += " is in a shared location or registered. Would you like to delete it?";
    return question;
}

FailureReport failure_report(const UninstallEntry& entry, bool first_entry)
{
    const std::string& path = entry.value;
    switch (entry.kind) {
    case EntryKind::directory_created:
        if (!first_entry) return {};
        return {ReportPlace::message_box, "Unable to remove directory: " + path};
    case EntryKind::program_group_created: return {ReportPlace::details, "Unable to remove program group: " + path};
    case EntryKind::desktop_shortcut: return {ReportPlace::details, "Unable to delete desktop shortcut: " + path};
    case EntryKind::program_group_shortcut: return {ReportPlace::details, "Unable to delete start menu item: " + path};
    case EntryKind::startup_shortcut:
        return {ReportPlace::details, "Unable to delete automatic startup menu item: " + path};
    case EntryKind::registry_entry:
    case EntryKind::registry_value: {
        RegistryPath key = split_registry_path(path);
        const std::string& shown = key.parent_key.empty() ? key.last_name : key.parent_key;
        return {ReportPlace::message_box, "Unable to remove registry entry: " + key.root_name + " " + shown};
    }
    default:
        if (is_file_kind(entry.kind)) return {ReportPlace::message_box, "Unable to delete file: " + path};
        return {};
    }
}

std::string progress_page_details(std::string_view shown_text, const std::vector<std::string>& details_lines)
{
    std::string text(shown_text);
    text += "\r\n\r\nBecause the following items were changed after the original install the uninstaller could not "
            "accomplish the following tasks.  These items are considered informational and are not serious "
            "problems.\r\n\r\n";
    for (const std::string& line : details_lines) {
        text += line;
        text += "\r\n\r\n";
    }
    return text;
}

std::string unregister_command(std::string_view system_directory, std::string_view path)
{
    std::string command = "\"";
    command.append(system_directory).append("\\regsvr32.exe\" /s /u \"").append(path) += '"';
    return command;
}
