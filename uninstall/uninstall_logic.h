// The uninstaller's plain logic: its command lines, reading the install log's entries, the texts
// its pages show, which entries a removal skips, and how a registry entry's value is taken apart.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// ---- command lines

// The word that tells the working copy (in the temporary directory) from the copy the user
// started.
inline constexpr char working_copy_marker[] = "CLONEADCUNQNM";

// Argument n of a command line, counted from 0 (the program). Every blank outside quotes ends an
// argument, so blanks in a row make empty arguments; a double quote and the code-page 1252 curly
// quotes 0x93 and 0x94 switch quoting on and off and are not copied. Empty when there is no
// argument n.
std::string command_argument(std::size_t n, std::string_view command_line);

bool is_working_copy(std::string_view command_line);

// "temporary copy" "log argument" "started copy" CLONEADCUNQNM. The first path is quoted as well:
// a temporary directory with blanks in its path would otherwise shift every argument.
std::string working_copy_command_line(std::string_view temporary_copy, std::string_view log_argument,
                                      std::string_view started_copy);

// ---- the install log's entries

enum class EntryKind {
    description,
    directory_created,
    program_group_created,
    desktop_shortcut,
    program_group_shortcut,
    startup_shortcut,
    file_created,
    file_ask_to_remove,
    file_ask_to_remove_and_unregister,
    delete_list,
    registry_entry,
    registry_value,
    unknown,  // a line that is no kind; its value is unknown_function_text
};

inline constexpr char unknown_function_text[] = "Unknown or unsupported function.";

struct UninstallEntry {
    EntryKind kind;
    std::string value;

    bool operator==(const UninstallEntry&) const = default;
};

// The kind a line names, letter case ignored; none for any other line.
std::optional<EntryKind> kind_from_line(std::string_view line);

// The label of the kind in the Details listings.
const char* details_label(EntryKind kind);

// Lines of the log, one at a time, read the way the installation's line reader reads them: false
// at the end of the file and for a line that is a bare LF.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual bool read_line(std::string& line) = 0;
};

// Every entry of the log, in log order, however many there are. A kind line takes the next line
// as its value; it is dropped when that line cannot be read. Any other line becomes an unknown
// entry, and the line after it is a kind line again. Reading stops where a kind line cannot be
// read.
std::vector<UninstallEntry> read_log_entries(LineSource& source);

// ---- the first page

// The text after the last "\" (all of it when there is none).
std::string_view file_name_part(std::string_view path);

// What the first page shows when neither the named log nor the one beside the started copy opens.
std::string missing_log_text(std::string_view named_log, std::string_view log_beside_program);

// The value of the first "Description" entry, if any.
std::optional<std::string> installation_name(const std::vector<UninstallEntry>& entries);

// "This program will uninstall " + the installation's name + CR LF, or empty without a name.
std::string introduction_text(const std::vector<UninstallEntry>& entries);

// Whether a running program's file name (the part after its last "\") is one of the entry's: it
// occurs, letter case ignored, inside the file name of a "File Created" or "Delete List" entry,
// except one whose file name is "uninstall.exe".
bool running_program_matches(std::string_view program_file_name, const UninstallEntry& entry);

// The warning about installed programs that still run, or empty when none of `program_paths`
// matches an entry: the heading, then the file name of the entry each running program matches
// (its first), one per line.
std::string running_programs_warning(const std::vector<std::string>& program_paths,
                                     const std::vector<UninstallEntry>& entries);

// The listing stops once the text is longer than this (the text of an edit field stays below 64 KB).
inline constexpr std::size_t details_text_limit = 61435;

// The first page's text after Details: the shown text, "Details", then from the last entry to the
// first every kind and value pair once (where a later entry repeats it, that one stands for it),
// "Description" entries left out.
std::string uninstall_page_details(std::string_view shown_text, const std::vector<UninstallEntry>& entries);

// ---- the removal

// For each entry, whether an earlier entry has the same kind and exactly the same value: the
// removal skips it and handles the earliest one.
std::vector<bool> earlier_duplicates(const std::vector<UninstallEntry>& entries);

// A registry entry's value taken apart: the root name before the first "\", the parent key path
// and the last name (key or value name) after the last "\" of the rest. The parent is the root
// itself when the rest holds no "\".
struct RegistryPath {
    std::string root_name;
    std::string parent_key;  // empty: the root itself
    std::string last_name;
};

RegistryPath split_registry_path(std::string_view value);

// The question before a shared or registered file is deleted.
std::string delete_question(std::string_view path);

// The command line that unregisters a self-registered file: the system directory's regsvr32.exe
// with "/s /u" and the file, both paths quoted, since either may hold blanks.
std::string unregister_command(std::string_view system_directory, std::string_view path);

// Where a failed removal is reported.
enum class ReportPlace { none, message_box, details };

struct FailureReport {
    ReportPlace place = ReportPlace::none;
    std::string text;
};

// What is said when the entry's removal failed. `first_entry`: the entry is the first of the log
// (only then is a directory that stays reported).
FailureReport failure_report(const UninstallEntry& entry, bool first_entry);

// The progress page's text after Details: the shown text, the explanation, and every collected
// details line.
std::string progress_page_details(std::string_view shown_text, const std::vector<std::string>& details_lines);
