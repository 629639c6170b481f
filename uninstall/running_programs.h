// The programs running on the system, for the warning before the removal.
#pragma once

#include <string>
#include <vector>

// The file path (or at least the file name) of every running process that can be asked. The
// NT family is asked through the process status library of the system directory; where that
// library or its functions are missing, and on the Windows 95 family, through a tool-help snapshot.
std::vector<std::string> running_program_paths(bool nt_family, const std::string& system_directory);
