// The messages of the installation's services, each with its title.
#pragma once

inline constexpr char installation_information_title[] = "Installation Information";
inline constexpr char fatal_installation_error_title[] = "Fatal Installation Error";

inline constexpr char log_failure_message[] =
    "Unable to create files or use the destination directory.  Use the back button to change the installation "
    "directory.";
inline constexpr char desktop_shortcut_failure_message[] =
    "Unable to create desktop icon.  This is a not a serious error.";
inline constexpr char group_shortcut_failure_message[] =
    "Unable to create program group (start button menu).  This is a not a serious error.";
inline constexpr char startup_shortcut_failure_message[] =
    "Unable to place program in startup.  This is a not a serious error.";
