#include "install_names.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallNames, PlainFileNames)
{
    struct Case {
        const char* name;
        bool plain;
    } cases[] = {
        {"zeltax.exe", true}, {"readZeltax.txt", true}, {".profile", true}, {"a..b", true}, {"..x", true},
        {"", false},          {".", false},             {"..", false},      {"...", false}, {" ", false},
        {". .", false},       {"a\\b", false},          {"\\a", false},     {"a/b", false}, {"c:x", false},
        {"a:stream", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(is_plain_file_name(c.name), c.plain);
    }
}

TEST(InstallNames, SubdirectoriesStayBelowTheTargetFolder)
{
    struct Case {
        const char* path;
        bool relative;
    } cases[] = {
        {"", true},           {"Data", true},        {"Data\\Sub", true},  {"Data/Sub", true},
        {"a..b\\..c", true},  {".\\Data", true},     {"Data\\", true},     {"a\\\\b", true},
        {"\\Data", false},    {"/Data", false},      {"\\\\server\\share", false},
        {"C:\\Data", false},  {"C:Data", false},     {"Data\\x:y", false}, {"..", false},
        {"..\\Data", false},  {"Data\\..", false},   {"Data/../..", false}, {"a\\...\\b", false},
        {"a\\.. \\b", false}, {"a\\. .\\b", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(is_relative_subdirectory(c.path), c.relative);
    }
}

} // namespace
