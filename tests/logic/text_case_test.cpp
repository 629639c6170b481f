#include "text_case.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Only A to Z have a case: bytes beyond ASCII, digits and signs stand for themselves.
TEST(TextCase, EqualIgnoringCaseFoldsOnlyTheAsciiLetters)
{
    struct Case {
        std::string a;
        std::string b;
        bool equal;
    } cases[] = {
        {"uninstall.exe", "UnInstall.EXE", true},
        {"Program Group Shortcut", "program group shortcut", true},
        {"", "", true},
        {"AZ", "az", true},
        {"@[", "`{", false},  // the neighbours of A and Z differ by the same 32 but are no letters
        {"\xC4", "\xE4", false},  // Ä and ä in code page 1252
        {"uninstall.exe", "uninstall.ex", false},
        {"uninstall.exe", "uninstall.exe ", false},
        {"a", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.a + "\" and \"" + c.b + "\"");
        EXPECT_EQ(equal_ignoring_case(c.a, c.b), c.equal);
        EXPECT_EQ(equal_ignoring_case(c.b, c.a), c.equal);
    }
}

TEST(TextCase, ContainsIgnoringCaseFindsThePartAnywhere)
{
    struct Case {
        std::string text;
        std::string part;
        bool contained;
    } cases[] = {
        {"C:\\Apps\\ZELTAX.EXE", "zeltax.exe", true},
        {"myzeltax.exe.bak", "ZelTax", true},
        {"zeltax", "zeltax", true},
        {"zeltax", "", true},
        {"", "", true},
        {"zelta", "zeltax", false},
        {"zel tax", "zeltax", false},
        {"", "z", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.part + "\" in \"" + c.text + "\"");
        EXPECT_EQ(contains_ignoring_case(c.text, c.part), c.contained);
    }
}

TEST(TextCase, LowerCaseChangesOnlyTheCapitals)
{
    EXPECT_EQ(lower_case("HKEY_USERS\\Software\\Zelmor"), "hkey_users\\software\\zelmor");
    EXPECT_EQ(lower_case("already lower 123"), "already lower 123");
    EXPECT_EQ(lower_case("@[\xC4"), "@[\xC4");
    EXPECT_EQ(lower_case(""), "");
}

} // namespace
