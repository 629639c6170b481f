// The kind lines of "Install_Log.txt", which the installation writes and the uninstaller reads.
// Each entry is a kind line followed by its value line.
#pragma once

namespace log_kind {

inline constexpr char description[] = "Description";
inline constexpr char directory_created[] = "Directory Created";
inline constexpr char file_created[] = "File Created";
inline constexpr char file_ask_to_remove[] = "File Created Ask To Remove";
inline constexpr char file_ask_to_remove_and_unregister[] = "File Created Ask To Remove and Unregister";
inline constexpr char desktop_shortcut[] = "Desktop Shortcut Created";
inline constexpr char program_group[] = "Program Group Created";
inline constexpr char program_group_shortcut[] = "Program Group Shortcut Created";
inline constexpr char startup_shortcut[] = "Startup Shortcut Created";
inline constexpr char registry_entry[] = "Registry Entry Created";
inline constexpr char registry_value[] = "Registry Value Created";
// Never written by the installation; the uninstaller accepts it from logs made by other means.
inline constexpr char delete_list[] = "Delete List";

} // namespace log_kind

inline constexpr char install_log_file_name[] = "Install_Log.txt";
