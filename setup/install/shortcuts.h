// Steps 5 to 9 and 11 of the installation: shortcuts, the uninstall registration, the clean-up
// of old uninstall shortcuts, and file associations.
#pragma once

#include "install_context.h"

#include <cstddef>
#include <string>
#include <string_view>

// A shell link at link_path that starts target in its directory, with the description.
bool create_shortcut(const std::string& target, const std::string& link_path, const std::string& description);

// folder + "\" + the entry's shortcut file name; logged with log_kind when made.
bool create_entry_shortcut(const InstallContext& install, std::size_t entry, const std::string& folder,
                           std::string_view log_kind);

void create_desktop_shortcuts(const InstallContext& install);  // step 5
bool create_program_group(const InstallContext& install);      // step 6; false: its log write failed
void create_startup_shortcuts(const InstallContext& install);  // step 7
void register_uninstall(const InstallContext& install);        // step 8
void remove_old_uninstall_shortcuts(const InstallContext& install);  // step 9, in an update run only
void associate_extensions(const InstallContext& install);      // step 11
