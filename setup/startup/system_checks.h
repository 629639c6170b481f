// The checks start-up makes of the system before it shows any page.
#pragma once

#include "setup_description.h"
#include "system_rules.h"

#include <optional>
#include <string>

// What GetVersionExA reports.
OsVersion query_os_version();

// The "version" value of Internet Explorer's key, or none when the key or the value cannot be
// read.
std::optional<std::string> read_internet_explorer_version();

// Applies the description's operating-system rules, then its Internet Explorer rule. A refused
// system is told so in a message box; false then.
bool system_accepted(const SetupDescription& description, const OsVersion& version);
