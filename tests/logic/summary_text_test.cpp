#include "disk_space_line.h"
#include "setup_description.h"
#include "summary_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(DiskSpaceLine, FreeAndRequiredInRoundedUpMegabytes)
{
    constexpr std::uint32_t largest_required = std::numeric_limits<std::uint32_t>::max();
    constexpr std::uint64_t largest_free = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        std::uint64_t free;
        std::uint32_t required;
        const char* line;
    } cases[] = {
        {5500000, 459845, "Disk space OK.   Free space: 6 Megabytes.    Required: Less than 1 megabyte."},
        {2000000, 0, "Disk space OK.   Free space: 3 Megabytes.    Required: Less than 1 megabyte."},
        {0, 459845, "Disk space WARNING.   Free space: Can not be determined.    Required: Less than 1 megabyte."},
        {0, 0, "Disk space OK.   Free space: Can not be determined.    Required: Less than 1 megabyte."},
        {999999, 0, "Disk space OK.   Free space: Can not be determined.    Required: Less than 1 megabyte."},
        {1000000, 1000000, "Disk space OK.   Free space: 2 Megabytes.    Required: 2 Megabytes."},
        {1000000, 1000001, "Disk space WARNING.   Free space: 2 Megabytes.    Required: 2 Megabytes."},
        {1998999999, 1998999999, "Disk space OK.   Free space: 1999 Megabytes.    Required: 1999 Megabytes."},
        {1999000000, 1999000000,
         "Disk space OK.   Free space: More than 2 Gigabytes.    Required: More than 2 Gigabytes."},
        {1999000000, largest_required,
         "Disk space WARNING.   Free space: More than 2 Gigabytes.    Required: More than 2 Gigabytes."},
        {5000000000, largest_required,
         "Disk space OK.   Free space: More than 2 Gigabytes.    Required: More than 2 Gigabytes."},
        {largest_free, 459845, "Disk space OK.   Free space: More than 2 Gigabytes.    Required: Less than 1 megabyte."},
        {1500000, 3000000000, "Disk space WARNING.   Free space: 2 Megabytes.    Required: More than 2 Gigabytes."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.free << " free, " << c.required << " required");
        EXPECT_EQ(disk_space_line(c.free, c.required), c.line);
    }
}

struct Offers {
    bool desktop_icon, program_group, startup, associate;
    std::uint32_t extension_count;
};

std::string summary(const Offers& offers, const WizardState& state)
{
    SetupDescription d;
    d.offer_desktop_icon = offers.desktop_icon;
    d.offer_program_group = offers.program_group;
    d.offer_startup = offers.startup;
    d.offer_associate = offers.associate;
    d.extension_count = offers.extension_count;
    d.extensions.resize(offers.extension_count);
    d.total_install_size = 459845;
    return summary_text(d, state, 5500000);
}

WizardState choices(std::uint8_t desktop_icon, std::uint8_t program_group, std::uint8_t start_at_login,
                    std::uint8_t associate)
{
    WizardState state;
    state.directory = "C:\\Program Files\\Zeltax";
    state.desktop_icon = desktop_icon;
    state.program_group = program_group;
    state.start_at_login = start_at_login;
    state.associate = associate;
    return state;
}

const char destination_lines[] = "The destination directory is: C:\\Program Files\\Zeltax\r\n\r\n";
const char disk_lines[] =
    "\r\nDisk space OK.   Free space: 6 Megabytes.    Required: Less than 1 megabyte.\r\n";

TEST(SummaryText, OneLinePerOfferedOption)
{
    struct Case {
        Offers offers;
        WizardState state;
        const char* option_lines;
    } cases[] = {
        {{true, true, true, true, 2}, choices(1, 0, 1, 0),
         "Create desktop icon: Yes\r\n"
         "Create program group: No\r\n"
         "Automatically start program at login: Yes\r\n"
         "Associate file extensions with application: No\r\n"},
        {{true, true, true, true, 1}, choices(0, 1, 0, 1),
         "Create desktop icon: No\r\n"
         "Create program group: Yes\r\n"
         "Automatically start program at login: No\r\n"
         "Associate file extensions with application: Yes\r\n"},
        {{true, false, false, false, 0}, choices(0, 0, 0, 0), "Create desktop icon: No\r\n"},
        {{false, true, false, false, 0}, choices(0, 1, 0, 0), "Create program group: Yes\r\n"},
        {{false, false, true, false, 0}, choices(0, 0, 1, 0), "Automatically start program at login: Yes\r\n"},
        // Associating needs both the offer and something to associate.
        {{false, false, false, true, 0}, choices(0, 0, 0, 1), ""},
        {{false, false, false, false, 3}, choices(0, 0, 0, 1), ""},
        {{false, false, false, true, 3}, choices(0, 0, 0, 1), "Associate file extensions with application: Yes\r\n"},
        // Only a choice of 1 reads as Yes.
        {{true, false, false, false, 0}, choices(2, 0, 0, 0), "Create desktop icon: No\r\n"},
        {{false, false, false, false, 0}, choices(1, 1, 1, 1), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option_lines);
        EXPECT_EQ(summary(c.offers, c.state), std::string(destination_lines) + c.option_lines + disk_lines);
    }
}

TEST(SummaryText, DiskSpaceFollowsTheInstallSizeAndFreeBytes)
{
    SetupDescription d;
    d.total_install_size = 3000000;
    WizardState state;
    state.directory = "\\\\server\\share\\Zeltax";
    EXPECT_EQ(summary_text(d, state, 0),
              "The destination directory is: \\\\server\\share\\Zeltax\r\n\r\n\r\n"
              "Disk space WARNING.   Free space: Can not be determined.    Required: 4 Megabytes.\r\n");
}

} // namespace
