// What every step of the installation reads: the package, the user's choices, the system's
// folders, and the window that owns the messages of the installation.
#pragma once

#include "setup_description.h"
#include "special_folders.h"
#include "wizard_state.h"

#include <windows.h>

#include <cstdint>
#include <span>

class InstallLogFile;

struct InstallContext {
    const SetupDescription* description = nullptr;
    std::span<const std::uint8_t> package;   // the inflated package: the files' contents
    const WizardState* state = nullptr;      // destination directory and the four choices
    const SpecialFolders* folders = nullptr;
    std::uint8_t install_for = 1;            // 1: only the current user, 0: all users
    bool nt_family = true;                   // GetVersion's high bit clear
    bool update_mode = false;                // installing over a previous installation
    HWND window = nullptr;                   // owner of the installation's message boxes
    InstallLogFile* log = nullptr;           // the installation's open log; null: one open per entry
};
