// The system's own folders, which the removal leaves alone, as this system reports them.
#pragma once

#include "special_folders.h"

#include <string>
#include <vector>

// Every folder the shared resolution found, then the Windows, system and temporary directories
// as kernel32 gives them and the profile directories as userenv.dll does (where the system has
// it), each also in its short and its long form: a log may name C:\PROGRA~1 as well.
std::vector<std::string> system_folder_paths(const SpecialFolders& folders);
