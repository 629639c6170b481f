// Fuzz entry of the install log's readers. The bytes are a log, handed out line by line by the
// installation's own line rule, and go through everything the uninstaller does with a log short
// of touching the system: its entries and their kinds, the first page's texts, the Details
// listing, the duplicate skipping, the registry paths, the failure reports and the progress
// page's Details; then through the installation's scan for the uninstall shortcuts of earlier
// runs. Anything that breaks a promise of those functions aborts.
#include "fuzz_checks.h"
#include "install_log_text.h"
#include "line_reader.h"
#include "uninstall_logic.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The log's bytes, handed out as read_line hands out a file's.
class BytesLines : public LineSource {
public:
    explicit BytesLines(std::string_view bytes) : bytes_(bytes) {}

    bool read_line(std::string& line) override
    {
        return read_line_from(
            [this](char& byte) {
                if (position_ == bytes_.size()) return false;
                byte = bytes_[position_++];
                return true;
            },
            line);
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The running programs the first page compares with the log: a few of the logged paths
// themselves, so that matches occur.
constexpr std::size_t compared_programs = 16;
constexpr std::string_view system_directory = "C:\\WINDOWS\\system32";

bool holds_quote(std::string_view text)
{
    return std::ranges::any_of(text, [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte == 0x22 || byte == 0x93 || byte == 0x94;
    });
}

void check_entry_values(const std::vector<UninstallEntry>& entries)
{
    for (const UninstallEntry& entry : entries) {
        require(entry.value.size() <= max_line_length);
        require(entry.value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        require(entry.kind != EntryKind::unknown || entry.value == unknown_function_text);
    }
}

std::string first_page_text(const std::vector<UninstallEntry>& entries)
{
    std::optional<std::string> name = installation_name(entries);
    std::string introduction = introduction_text(entries);
    require(name ? introduction == "This program will uninstall " + *name + "\r\n" : introduction.empty());

    std::vector<std::string> programs;
    for (std::size_t i = 0; i < entries.size() && programs.size() < compared_programs; ++i)
        programs.push_back(entries[i].value);
    std::string warning = running_programs_warning(programs, entries);
    bool any_match = std::ranges::any_of(programs, [&](const std::string& program) {
        return std::ranges::any_of(entries, [&](const UninstallEntry& entry) {
            return running_program_matches(file_name_part(program), entry);
        });
    });
    require(warning.empty() != any_match);
    return introduction + warning;
}

void check_details_listing(const std::string& shown, const std::vector<UninstallEntry>& entries)
{
    std::string details = uninstall_page_details(shown, entries);
    require(details.starts_with(shown + "\r\nDetails\r\n"));
    // The listing stops after the first line that takes it past the limit: a label, a blank, a
    // value and CR LF.
    constexpr std::size_t longest_line = 64 + max_line_length;
    require(details.size() <= std::max(details_text_limit + longest_line, shown.size() + 11));
}

// The removal handles the earliest of equal entries; the others are skipped.
void check_duplicates(const std::vector<UninstallEntry>& entries, const std::vector<bool>& duplicates)
{
    require(duplicates.size() == entries.size());
    std::set<std::pair<EntryKind, std::string>> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bool added = seen.emplace(entries[i].kind, entries[i].value).second;
        require(duplicates[i] == !added);
    }
}

void check_registry_path(const std::string& value)
{
    RegistryPath path = split_registry_path(value);
    require(path.root_name.find('\\') == std::string::npos && path.last_name.find('\\') == std::string::npos);
    auto separators = std::ranges::count(value, '\\');
    std::string joined = path.root_name;
    if (separators >= 1) joined += "\\";
    if (separators >= 2) joined += path.parent_key + "\\";
    require(joined + path.last_name == value);
}

// What the progress page would report if every removal failed.
std::vector<std::string> failure_details(const std::vector<UninstallEntry>& entries, const std::vector<bool>& duplicates)
{
    std::vector<std::string> lines;
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (duplicates[i]) continue;
        const UninstallEntry& entry = entries[i];
        if (entry.kind == EntryKind::registry_entry || entry.kind == EntryKind::registry_value)
            check_registry_path(entry.value);
        if (entry.kind == EntryKind::file_ask_to_remove || entry.kind == EntryKind::file_ask_to_remove_and_unregister) {
            require(delete_question(entry.value).find(entry.value) != std::string::npos);
            require(unregister_command(system_directory, entry.value).ends_with("\"" + entry.value + "\""));
        }
        FailureReport report = failure_report(entry, i == 0);
        require((report.place == ReportPlace::none) == report.text.empty());
        if (report.place == ReportPlace::details) lines.push_back(report.text);
    }
    return lines;
}

void check_progress_details(const std::vector<std::string>& lines)
{
    std::string details = progress_page_details("Uninstall Complete", lines);
    require(details.starts_with("Uninstall Complete\r\n\r\n"));
    std::size_t position = 0;
    for (const std::string& line : lines) {
        position = details.find(line + "\r\n\r\n", position);
        require(position != std::string::npos);
        position += line.size();
    }
}

// The working copy gets the log's path and the started copy back from its command line,
// whatever the log's path holds but quotes: a quote in it, the code-page 1252 curly quotes
// included, switches quoting and so shifts the arguments, as command_argument says.
void check_command_line(const std::vector<UninstallEntry>& entries)
{
    if (entries.empty()) return;
    const std::string& log_path = entries.front().value;
    std::string line = working_copy_command_line("C:\\Temp\\Del1.tmp", log_path, "C:\\App\\uninstall.exe");
    require(is_working_copy(line));
    if (holds_quote(log_path)) return;
    require(command_argument(1, line) == log_path);
    require(command_argument(2, line) == "C:\\App\\uninstall.exe");
}

void check_uninstaller(std::string_view bytes)
{
    BytesLines lines(bytes);
    std::vector<UninstallEntry> entries = read_log_entries(lines);
    check_entry_values(entries);
    check_details_listing(first_page_text(entries), entries);
    std::vector<bool> duplicates = earlier_duplicates(entries);
    check_duplicates(entries, duplicates);
    check_progress_details(failure_details(entries, duplicates));
    check_command_line(entries);
}

// The update run's scan, as the installation drives it.
void check_shortcut_scan(std::string_view bytes)
{
    BytesLines lines(bytes);
    UninstallShortcutScan scan;
    std::string line;
    while (lines.read_line(line) && scan.take(line)) {
    }
    require(scan.count() <= UninstallShortcutScan::path_limit);
    std::size_t position = 0;
    std::size_t stale = 0;
    while (const char* path = scan.next_stale(position)) {
        require(std::string_view(path).find("Uninstall ") != std::string_view::npos);
        ++stale;
    }
    require(stale < std::max<std::size_t>(scan.count(), 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes = text_of(data, size);
    check_uninstaller(bytes);
    check_shortcut_scan(bytes);
    return 0;
}
