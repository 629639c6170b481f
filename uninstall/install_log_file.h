// Reading "Install_Log.txt" from its file.
#pragma once

#include "uninstall_logic.h"

#include <optional>
#include <string>
#include <vector>

// The log's entries, or none when the file cannot be opened. The file is opened without sharing,
// so no installation writes to it meanwhile, and closed before this returns.
std::optional<std::vector<UninstallEntry>> read_install_log_file(const std::string& path);
