#include "system_rules.h"

#include "setup_description.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::uint32_t any_minor = 0xFFFFFFFF;

struct SystemRule {
    std::uint32_t SetupDescription::*allow;
    std::uint32_t platform_id;
    std::uint32_t major;
    std::uint32_t minor;
    const char* message;
};

// Searched in order; the first match decides. A rule applies only while its flag is 0, so any
// other value allows the system. Server 2003 and Vista really do share one text.
const SystemRule system_rules[] = {
    {&SetupDescription::allow_windows_95, platform_windows_9x, 4, 0,
     "This application can not be installed on Windows 95."},
    {&SetupDescription::allow_windows_98, platform_windows_9x, 4, 10,
     "This application can not be installed on Windows 98."},
    {&SetupDescription::allow_windows_me, platform_windows_9x, 4, 90,
     "This application can not be installed on Windows ME."},
    {&SetupDescription::allow_windows_nt351, platform_windows_nt, 3, 51,
     "This application can not be installed on Windows NT 3.51."},
    {&SetupDescription::allow_windows_nt4, platform_windows_nt, 4, 0,
     "This application can not be installed on Windows NT 4."},
    {&SetupDescription::allow_windows_2000, platform_windows_nt, 5, 0,
     "This application can not be installed on Windows 2000."},
    {&SetupDescription::allow_windows_xp, platform_windows_nt, 5, 1,
     "This application can not be installed on Windows XP."},
    {&SetupDescription::allow_windows_server_2003, platform_windows_nt, 5, 2,
     "This application can not be installed on Windows 3000 Server."},
    {&SetupDescription::allow_windows_vista, platform_windows_nt, 6, any_minor,
     "This application can not be installed on Windows 3000 Server."},
};

bool refuses(const SystemRule& rule, const SetupDescription& description, const OsVersion& version)
{
    return description.*rule.allow == 0 && version.platform_id == rule.platform_id &&
           version.major == rule.major && (rule.minor == any_minor || version.minor == rule.minor);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal number of the text compared with the limit; digits beyond the point where
// the number reaches the limit cannot bring it below, so the value is capped there.
bool leading_number_below(const std::string& text, unsigned limit)
{
    unsigned value = 0;
    for (std::size_t i = 0; i < text.size() && is_digit(text[i]); ++i)
        value = std::min(value * 10 + static_cast<unsigned>(text[i] - '0'), limit);
    return value < limit;
}

} // namespace

const char internet_explorer_refusal[] =
    "This application requires Internet Explorer 5 or higher to be installed on your computer.";

std::optional<std::string> system_refusal(const SetupDescription& description, const OsVersion& version)
{
    auto match = std::find_if(std::begin(system_rules), std::end(system_rules),
                              [&](const SystemRule& rule) { return refuses(rule, description, version); });
    if (match == std::end(system_rules)) return std::nullopt;
    return std::string(match->message);
}

bool compute_show_users_page(const SetupDescription& description, const OsVersion& version)
{
    if (version.platform_id != platform_windows_nt) return false;
    bool offers = description.offer_startup || description.offer_desktop_icon ||
                  description.offer_program_group || description.offer_associate;
    return offers || description.default_location == "<Documents and Settings>" ||
           description.default_location == "<Desktop>";
}

// A value that starts with a digit is judged by its whole leading number, so "10.0" counts as
// ten, not one. Any other value keeps the first-byte rule the check has always had: old when
// its first byte, unsigned, is below '5' (a blank, "+", "." or an empty value, whose first byte
// is its terminating NUL), accepted otherwise (letters, bytes above 127). For the single-digit
// versions that real systems write both readings agree.
bool internet_explorer_too_old(const std::optional<std::string>& version)
{
    if (!version) return false;
    const std::string& text = *version;
    if (!text.empty() && is_digit(text[0])) return leading_number_below(text, 5);
    unsigned char first = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    return first < '5';
}
