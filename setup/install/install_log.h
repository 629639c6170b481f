// Writing "Install_Log.txt" in the destination directory: every change the installation makes,
// one entry (a kind line and a value line) at a time, so that the uninstaller can undo it.
#pragma once

#include "install_context.h"
#include "install_log_text.h"  // the kind lines and the log's name

#include <optional>
#include <string>
#include <string_view>

// D + "\" + "Install_Log.txt".
std::string install_log_path(const std::string& destination);

// Appends one entry; without a value the value line is the log's own path, and the registry
// kinds write key_name + "\" + value. Shows the log's failure message (owned by
// install.window) and returns false when the file cannot be opened or written. True without
// writing when the package makes no uninstaller.
bool append_log_entry(const InstallContext& install, std::string_view kind,
                      std::optional<std::string_view> value = std::nullopt,
                      std::optional<std::string_view> key_name = std::nullopt);

// Logs the innermost `count` levels of `path`, outermost first.
bool log_created_directories(const InstallContext& install, std::string_view kind, std::string_view path, int count);
