#include "install_steps.h"
#include "setup_description.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallSteps, EachTickRunsItsStepAndEveryLaterTickCloses)
{
    const InstallStep order[] = {InstallStep::destination,          InstallStep::log_itself,
                                 InstallStep::description,          InstallStep::extract_files,
                                 InstallStep::desktop_shortcuts,    InstallStep::program_group,
                                 InstallStep::startup_shortcuts,    InstallStep::uninstall_registration,
                                 InstallStep::old_uninstall_shortcuts, InstallStep::nothing,
                                 InstallStep::associations,         InstallStep::run_during_install,
                                 InstallStep::registry_entries};
    for (std::uint32_t number = 1; number <= 13; ++number) EXPECT_EQ(install_step(number), order[number - 1]) << number;
    EXPECT_EQ(install_step(14), InstallStep::closing);
    EXPECT_EQ(install_step(15), InstallStep::closing);
    EXPECT_EQ(install_step(0xFFFFFFFFu), InstallStep::closing);
}

TEST(InstallSteps, OnlyTheStepsBeforeTheFilesSendTheUserBackToTheDestination)
{
    EXPECT_EQ(failure_result(InstallStep::destination), result_back);
    EXPECT_EQ(failure_result(InstallStep::log_itself), result_back);
    EXPECT_EQ(failure_result(InstallStep::description), result_ended);
    EXPECT_EQ(failure_result(InstallStep::extract_files), result_ended);
    EXPECT_EQ(failure_result(InstallStep::program_group), result_ended);
}

TEST(InstallSteps, TheProgressRangeTravelsAsSixteenBits)
{
    EXPECT_EQ(progress_range(0), 15);
    EXPECT_EQ(progress_range(3), 18);
    EXPECT_EQ(progress_range(65520), 65535);
    EXPECT_EQ(progress_range(65521), 0);
}

TEST(InstallSteps, AnUpdateKeepsFilesAtLeastAsNewAsThePackagesAndComparesAllSixtyFourBits)
{
    struct Case {
        std::uint64_t existing;
        std::uint32_t high, low;
        bool keep;
    } cases[] = {
        {1262304000, 0, 1262304000, true},   // the same second
        {1262304001, 0, 1262304000, true},   // newer on disk
        {1262303999, 0, 1262304000, false},  // older on disk
        {0xFFFFFFFFull, 1, 0, false},        // the high half counts
        {0x100000000ull, 1, 0, true},
        {0x1FFFFFFFFull, 0, 0xFFFFFFFFu, true},  // unsigned, not a negative low half
    };
    for (const Case& c : cases) EXPECT_EQ(keep_existing_file(c.existing, c.high, c.low), c.keep) << c.existing;
}

TEST(InstallSteps, UnixTimesBecomeTicksSince1601)
{
    EXPECT_EQ(unix_time_to_file_time(0), 116444736000000000ULL);
    // 2010-01-01 00:00:00 UTC.
    EXPECT_EQ(unix_time_to_file_time(1262304000), 129067776000000000ULL);
    // The seconds are unsigned: the last second of 2106, not a time before 1970.
    EXPECT_EQ(unix_time_to_file_time(0xFFFFFFFFu), (0xFFFFFFFFULL + 11644473600ULL) * 10000000ULL);
}

TEST(InstallSteps, TheDescriptionNamesTheProgramGroupOrTheDestinationsLastComponent)
{
    SetupDescription description;
    description.program_group_name = "Zelmor Income Tax";
    description.create_program_group = 1;
    EXPECT_EQ(description_value(description, "C:\\Apps\\Demo"), "Zelmor Income Tax");
    description.create_program_group = 0;
    EXPECT_EQ(description_value(description, "C:\\Apps\\Demo"), "Demo");
    EXPECT_EQ(description_value(description, "C:\\Apps\\Demo\\"), "");
    EXPECT_EQ(description_value(description, "Demo"), "Demo");
}

} // namespace
