// What start-up prepares for the wizard pages. Start-up fills it step by step before the first
// page is shown and keeps it for the whole run; the pages only read it.
#pragma once

#include "destination_proposal.h"
#include "setup_description.h"
#include "special_folders.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct WizardContext {
    HINSTANCE instance = nullptr;
    const SetupDescription* description = nullptr;
    std::string setup_directory;  // also where a fatal shutdown writes its report
    bool show_users_page = false;
    const SpecialFolders* folders = nullptr;
    HBITMAP page_bitmap = nullptr;
    HBITMAP welcome_bitmap = nullptr;
};

// The users page's answer, read by the destination page and the installation.
struct InstallFor {
    std::uint8_t choice = install_for_current_user;
    // Set when the users page changed the choice: the destination page then proposes anew.
    bool changed = false;
};
