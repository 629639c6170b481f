#include "install_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using F = NameFault;

struct Case {
    std::string text;
    NameFault fault;
};

// The text as a readable trace: control characters as \xNN.
std::string shown(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (is_control_character(c)) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return "\"" + out + "\"";
}

template <class Rule>
void expect_faults(Rule rule, std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(shown(c.text));
        EXPECT_EQ(rule(c.text), c.fault);
    }
}

TEST(InstallNames, FileNames)
{
    expect_faults(file_name_fault, {
        {"zeltax.exe", F::none}, {"readZeltax.txt", F::none}, {".profile", F::none}, {"a..b", F::none},
        {"..x", F::none}, {"a b", F::none}, {"x.", F::none},
        {"", F::empty}, {".", F::dots_and_blanks_only}, {"..", F::dots_and_blanks_only},
        {"...", F::dots_and_blanks_only}, {" ", F::dots_and_blanks_only}, {". .", F::dots_and_blanks_only},
        {"a\\b", F::reserved_character}, {"\\a", F::reserved_character}, {"a/b", F::reserved_character},
        {"c:x", F::reserved_character}, {"a:stream", F::reserved_character}, {"a*", F::reserved_character},
        {"a?", F::reserved_character}, {"\"a\"", F::reserved_character}, {"<a>", F::reserved_character},
        {"a|b", F::reserved_character},
        {"a\rb", F::control_character}, {"a\nb", F::control_character}, {"\ta", F::control_character},
        {"a\x1F", F::control_character}, {"a\x7F", F::none},
        // A control character is named before a reserved one.
        {"a/\n", F::control_character},
    });
}

TEST(InstallNames, SubdirectoriesStayBelowTheTargetFolder)
{
    expect_faults(subdirectory_fault, {
        {"", F::none}, {"Data", F::none}, {"Data\\Sub", F::none}, {"Data/Sub", F::none},
        {"a..b\\..c", F::none}, {".\\Data", F::none}, {"Data\\", F::none}, {"a\\\\b", F::none},
        {"\\Data", F::absolute}, {"/Data", F::absolute}, {"\\\\server\\share", F::absolute},
        {"C:\\Data", F::absolute}, {"C:Data", F::absolute}, {"Data\\x:y", F::absolute},
        {"..", F::way_up}, {"..\\Data", F::way_up}, {"Data\\..", F::way_up}, {"Data/../..", F::way_up},
        {"a\\...\\b", F::way_up}, {"a\\.. \\b", F::way_up}, {"a\\. .\\b", F::way_up},
        {"Data\\a*b", F::reserved_character}, {"Data\\<b>", F::reserved_character}, {"a|b", F::reserved_character},
        {"Data\\a\rb", F::control_character}, {"Data\n", F::control_character},
    });
}

TEST(InstallNames, ShortcutNamesAreJudgedAsTheLinkFileTheyBecome)
{
    expect_faults(shortcut_name_fault, {
        // Files without shortcuts carry an empty name; the link name would be ".lnk".
        {"", F::none},
        {"Zelmor Federal Income Tax ", F::none}, {"Uninstall Zelmor Income Tax", F::none},
        // "\" becomes a blank, so it never names a folder.
        {"Zelmor\\Tax", F::none}, {"..\\..\\Startup\\x", F::none}, {"\\", F::none},
        // ".." + ".lnk" is the file "...lnk" in the chosen folder.
        {"..", F::none}, {" ", F::none},
        {"../../Escaped", F::reserved_character}, {"a/b", F::reserved_character}, {"C:x", F::reserved_character},
        {"What?", F::reserved_character}, {"a*", F::reserved_character}, {"\"q\"", F::reserved_character},
        {"<a>", F::reserved_character}, {"a|b", F::reserved_character},
        {"Tax\r\nFile Created", F::control_character}, {"\t", F::control_character},
    });
    EXPECT_EQ(shortcut_file_name("Zelmor\\Tax"), "Zelmor Tax.lnk");
    EXPECT_EQ(shortcut_description("Zelmor\\Tax"), "Zelmor Tax");
}

TEST(InstallNames, ProgramGroupsAreFoldersLevelByLevel)
{
    auto with_group = [](const std::string& name) { return program_group_fault(name, 1); };
    expect_faults(with_group, {
        {"Zelmor Income Tax", F::none}, {"Vendor\\Product", F::none}, {"A\\B\\C", F::none}, {"..x", F::none},
        {"", F::empty}, {"Vendor\\", F::empty}, {"\\Vendor", F::empty}, {"A\\\\B", F::empty},
        {"..", F::dots_and_blanks_only}, {"..\\..\\Startup", F::dots_and_blanks_only},
        {"Vendor\\.", F::dots_and_blanks_only}, {"Vendor\\ ", F::dots_and_blanks_only},
        {"../../Startup", F::reserved_character}, {"C:\\Startup", F::reserved_character},
        {"Vendor\\a:b", F::reserved_character}, {"a*", F::reserved_character},
        {"Group\r\nDirectory Created", F::control_character}, {"Vendor\\\x01", F::control_character},
    });
    // Without a program group the name may be empty; a name that is given still has to be one.
    auto without_group = [](const std::string& name) { return program_group_fault(name, 0); };
    expect_faults(without_group, {{"", F::none}, {"Vendor\\Product", F::none}, {"..", F::dots_and_blanks_only}});
    // Only 1 makes a group.
    EXPECT_EQ(program_group_fault("", 2), F::none);
}

TEST(InstallNames, Extensions)
{
    expect_faults(extension_fault, {
        {".ztx", F::none}, {".a", F::none}, {".tar.gz", F::none}, {".a b", F::none},
        {"", F::not_an_extension}, {".", F::not_an_extension}, {"ztx", F::not_an_extension},
        {"a.ztx", F::not_an_extension},
        {".z\\shell", F::holds_separator}, {".\\", F::holds_separator}, {".z/x", F::holds_separator},
        {".z\r\n", F::control_character}, {".\t", F::control_character},
    });
}

TEST(InstallNames, RegistryKeyAndValueNames)
{
    expect_faults(registry_key_name_fault, {
        {"HKEY_CURRENT_USER", F::none}, {"Software", F::none}, {"", F::none}, {"a b*?", F::none},
        {"Key\r\nRegistry Entry Created", F::control_character}, {"\x1B", F::control_character},
    });
    expect_faults(registry_value_name_fault, {
        {"", F::none}, {"Version", F::none}, {"a/b", F::none}, {"x:y", F::none},
        {"Sub\\Name", F::holds_separator}, {"\\", F::holds_separator},
        {"Name\nRegistry Value Created", F::control_character}, {"\r", F::control_character},
    });
}

TEST(InstallNames, ControlCharactersAreEveryCharacterBelowABlank)
{
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(is_control_character(static_cast<char>(c)), c < 0x20);
    }
    expect_faults(control_character_fault, {
        {"", F::none}, {"<Program Files>", F::none}, {"C:\\Apps", F::none}, {"Zelmor\tTax", F::control_character},
    });
}

} // namespace
