// What the working copy of the uninstaller keeps for its whole run, read by both pages.
#pragma once

#include "removal_plan.h"
#include "uninstall_logic.h"

#include <windows.h>

#include <string>
#include <vector>

struct UninstallRun {
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    bool nt_family = true;         // GetVersion's high bit clear
    std::string log_path;          // as the started copy was given it; may be empty
    std::string started_copy;      // the uninstaller file the user started, in the installation directory
    std::string system_directory;
    ProtectedFolders protected_folders;   // the system's folders, which no entry removes
    std::vector<UninstallEntry> entries;  // read by the first page, removed by the progress page
};
