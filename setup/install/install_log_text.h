// The install log's texts as plain code: its entry kinds, the value line of an entry, the
// directory levels a created path stands for, and the uninstall shortcuts that earlier
// installations left behind.
#pragma once

#include "install_log_kinds.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The kind lines of the install log, under the names the installation uses; the texts are the
// ones the uninstaller reads.
inline constexpr auto& log_description = log_kind::description;
inline constexpr auto& log_directory_created = log_kind::directory_created;
inline constexpr auto& log_file_created = log_kind::file_created;
inline constexpr auto& log_file_ask_to_remove = log_kind::file_ask_to_remove;
inline constexpr auto& log_file_ask_to_remove_and_unregister = log_kind::file_ask_to_remove_and_unregister;
inline constexpr auto& log_desktop_shortcut = log_kind::desktop_shortcut;
inline constexpr auto& log_program_group = log_kind::program_group;
inline constexpr auto& log_program_group_shortcut = log_kind::program_group_shortcut;
inline constexpr auto& log_startup_shortcut = log_kind::startup_shortcut;
inline constexpr auto& log_registry_entry = log_kind::registry_entry;
inline constexpr auto& log_registry_value = log_kind::registry_value;

inline constexpr auto& install_log_name = install_log_file_name;

// The value line of an entry: for the two registry kinds key_name + "\" + value, for any other
// kind the value, and without a value the log's own path.
std::string log_value_line(std::string_view kind, std::optional<std::string_view> value,
                           std::optional<std::string_view> key_name, std::string_view log_path);

// The bytes of one entry: the kind line and the value line, each ended by CR LF. A line longer
// than the 1023 bytes a line normally holds is kept whole rather than cut into a wrong path.
std::string log_entry_text(std::string_view kind, std::string_view value_line);

// Where a path whose innermost levels were just created is cut to name its k-th level from the
// inside (k = 1 is the level that holds the innermost one): the position of the k-th separator
// ("\" or "/") from the end. A separator among the first four characters is never cut, so a drive
// root is never named; npos when there is no such cut.
std::size_t created_level_end(std::string_view path, int k);

// Reads the log of earlier installations for their uninstall shortcuts: the value lines of
// "Program Group Shortcut Created" entries (kind compared ignoring letter case) that hold
// "Uninstall " (letter case significant), at most 1024 of them.
class UninstallShortcutScan {
public:
    static constexpr std::size_t path_limit = 1024;

    // Takes the next line of the log; false once no more paths may be collected.
    bool take(const std::string& line);

    std::size_t count() const { return count_; }

    // The shortcuts to delete, one per call from `position` (0 at first) on, or null after the
    // last: every collected path but the last, skipping those equal to it.
    const char* next_stale(std::size_t& position) const;

private:
    bool value_follows_ = false;
    std::size_t count_ = 0;
    std::size_t last_ = 0;  // where the last path starts in paths_
    std::string paths_;     // each path followed by a NUL, ready for the file functions
};
