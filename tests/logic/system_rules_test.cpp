#include "setup_description.h"
#include "system_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RuleCase {
    std::uint32_t SetupDescription::*allow;
    OsVersion version;
    const char* message;
};

const RuleCase rule_cases[] = {
    {&SetupDescription::allow_windows_95, {1, 4, 0}, "This application can not be installed on Windows 95."},
    {&SetupDescription::allow_windows_98, {1, 4, 10}, "This application can not be installed on Windows 98."},
    {&SetupDescription::allow_windows_me, {1, 4, 90}, "This application can not be installed on Windows ME."},
    {&SetupDescription::allow_windows_nt351, {2, 3, 51},
     "This application can not be installed on Windows NT 3.51."},
    {&SetupDescription::allow_windows_nt4, {2, 4, 0}, "This application can not be installed on Windows NT 4."},
    {&SetupDescription::allow_windows_2000, {2, 5, 0}, "This application can not be installed on Windows 2000."},
    {&SetupDescription::allow_windows_xp, {2, 5, 1}, "This application can not be installed on Windows XP."},
    {&SetupDescription::allow_windows_server_2003, {2, 5, 2},
     "This application can not be installed on Windows 3000 Server."},
    {&SetupDescription::allow_windows_vista, {2, 6, 0},
     "This application can not be installed on Windows 3000 Server."},
    {&SetupDescription::allow_windows_vista, {2, 6, 1},
     "This application can not be installed on Windows 3000 Server."},
    {&SetupDescription::allow_windows_vista, {2, 6, 3},
     "This application can not be installed on Windows 3000 Server."},
};

SetupDescription allowing_everything()
{
    SetupDescription d;
    for (const RuleCase& c : rule_cases) d.*c.allow = 1;
    return d;
}

testing::Message version_text(const OsVersion& v)
{
    return testing::Message() << v.platform_id << ":" << v.major << "." << v.minor;
}

TEST(SystemRules, EachRuleRefusesItsSystemUnlessAllowed)
{
    for (const RuleCase& c : rule_cases) {
        SCOPED_TRACE(version_text(c.version));
        // Every other system allowed: only this rule's own flag decides.
        SetupDescription d = allowing_everything();
        d.*c.allow = 0;
        EXPECT_EQ(system_refusal(d, c.version), std::string(c.message));
        d.*c.allow = 1;
        EXPECT_EQ(system_refusal(d, c.version), std::nullopt);
        // A rule applies only while its flag is 0.
        d.*c.allow = 2;
        EXPECT_EQ(system_refusal(d, c.version), std::nullopt);
        // With every flag 0 the system still meets its own rule first.
        EXPECT_EQ(system_refusal(SetupDescription(), c.version), std::string(c.message));
    }
}

TEST(SystemRules, SystemsWithoutARuleAreAllowed)
{
    const OsVersion versions[] = {
        {0, 4, 0}, {3, 6, 0}, {1, 4, 1}, {1, 5, 0}, {2, 4, 10}, {2, 5, 3}, {2, 7, 0}, {2, 10, 0}, {2, 3, 50},
    };
    for (const OsVersion& v : versions) {
        SCOPED_TRACE(version_text(v));
        EXPECT_EQ(system_refusal(SetupDescription(), v), std::nullopt);
    }
}

TEST(SystemRules, UsersPageOnlyOnNtWhenTheChoiceMatters)
{
    const OsVersion nt{2, 5, 1};
    const OsVersion windows_98{1, 4, 10};

    SetupDescription plain;
    plain.default_location = "<Program Files>";
    EXPECT_FALSE(compute_show_users_page(plain, nt));

    bool SetupDescription::*offers[] = {&SetupDescription::offer_startup, &SetupDescription::offer_desktop_icon,
                                        &SetupDescription::offer_program_group, &SetupDescription::offer_associate};
    for (bool SetupDescription::*offer : offers) {
        SetupDescription d;
        d.default_location = "<Program Files>";
        d.*offer = true;
        EXPECT_TRUE(compute_show_users_page(d, nt));
        EXPECT_FALSE(compute_show_users_page(d, windows_98));
    }

    struct LocationCase {
        const char* location;
        bool shown;
    } locations[] = {
        {"<Documents and Settings>", true}, {"<Desktop>", true},   {"<desktop>", false},
        {"<Desktop> ", false},              {"<Root Drive>", false}, {"C:\\Apps", false},
    };
    for (const LocationCase& c : locations) {
        SCOPED_TRACE(c.location);
        SetupDescription d;
        d.default_location = c.location;
        EXPECT_EQ(compute_show_users_page(d, nt), c.shown);
        EXPECT_FALSE(compute_show_users_page(d, windows_98));
    }
}

TEST(InternetExplorerRule, TheLeadingNumberIsComparedWithFive)
{
    struct Case {
        std::optional<std::string> version;
        bool too_old;
    } cases[] = {
        {std::nullopt, false},  {"4.72.3110", true}, {"4", true},     {"0.9", true},     {"5.00", false},
        {"5", false},           {"6", false},        {"10.0", false}, {"9.11.9600", false},
        {"05", false},          {"45.1", false},     {"4abc", true},
        // No leading digit: the first byte decides, unsigned, against '5'.
        {"", true},             {" 6", true},        {"+6", true},    {".5", true},      {"v6", false},
        {"A", false},           {"\xE9", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.value_or("(absent)"));
        EXPECT_EQ(internet_explorer_too_old(c.version), c.too_old);
    }
}

TEST(InternetExplorerRule, SingleDigitVersionsAgreeWithTheFirstByte)
{
    for (int byte = 0; byte < 256; ++byte) {
        std::string version = std::string(1, static_cast<char>(byte)) + ".0";
        SCOPED_TRACE(byte);
        EXPECT_EQ(internet_explorer_too_old(version), byte < '5');
    }
    EXPECT_STREQ(internet_explorer_refusal,
                 "This application requires Internet Explorer 5 or higher to be installed on your computer.");
}

} // namespace
