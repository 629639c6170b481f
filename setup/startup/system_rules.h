// Which systems the setup description lets the setup run on, and whether the users page is
// offered. Pure decisions over the version numbers and the description's flags.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct SetupDescription;

constexpr std::uint32_t platform_windows_9x = 1;
constexpr std::uint32_t platform_windows_nt = 2;

struct OsVersion {
    std::uint32_t platform_id = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// The refusal of the first operating-system rule that matches this system while its allow flag
// is 0, or none when the system may be used.
std::optional<std::string> system_refusal(const SetupDescription& description, const OsVersion& version);

// The users page only makes sense on the NT family, and only when something depends on the
// install-for choice: a shortcut, an association or a per-user default location.
bool compute_show_users_page(const SetupDescription& description, const OsVersion& version);

extern const char internet_explorer_refusal[];

// The Internet Explorer "version" value as read, or none when the key or the value is missing.
// True when it names a version older than 5 (see the definition for non-numeric values).
bool internet_explorer_too_old(const std::optional<std::string>& version);
