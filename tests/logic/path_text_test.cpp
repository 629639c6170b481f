#include "path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextCase {
    std::string path;
    std::string expected;
};

TEST(StripTrailingSeparators, RemovesEverySeparatorAtTheEndButTheFirstCharacter)
{
    const TextCase cases[] = {
        {"C:\\", "C:"},
        {"C:\\Apps\\", "C:\\Apps"},
        {"C:\\Apps\\\\", "C:\\Apps"},
        {"C:\\Apps/", "C:\\Apps"},
        {"C:\\Apps\\/\\", "C:\\Apps"},
        {"C:\\Apps", "C:\\Apps"},
        {"\\", "\\"},
        {"/", "/"},
        {"\\\\", "\\"},
        {"//\\", "/"},
        {"x\\", "x"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\"");
        std::string text = c.path;
        strip_trailing_separators(text);
        EXPECT_EQ(text, c.expected);
    }
}

struct ParentCase {
    std::string path;
    bool found;
    std::string expected;
};

TEST(ParentDirectory, IsTheTextBeforeTheLastBackslashPastTheFirstCharacter)
{
    const ParentCase cases[] = {
        {"C:\\Apps\\setup.exe", true, "C:\\Apps"},
        {"C:\\x", true, "C:"},
        {"C:\\Apps\\", true, "C:\\Apps"},
        {"C:\\Apps\\Demo\\Install_Log.txt", true, "C:\\Apps\\Demo"},
        {"\\\\server\\share\\file", true, "\\\\server\\share"},
        {"\\\\server", true, "\\"},
        {"x\\", true, "x"},
        {"C:/Apps/setup.exe", false, ""}, // only "\" separates here
        {"\\x", false, ""},
        {"\\", false, ""},
        {"setup.exe", false, ""},
        {"", false, ""},
    };
    for (const ParentCase& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\"");
        std::string output = "left over";
        EXPECT_EQ(parent_directory(c.path, output), c.found);
        EXPECT_EQ(output, c.expected);
    }
}

TEST(PathRoot, IsTheNetworkShareOrTheFirstThreeCharacters)
{
    const TextCase cases[] = {
        {"C:\\Program Files", "C:\\"},
        {"C:\\", "C:\\"},
        {"C:", "C:"},
        {"C", "C"},
        {"Apps\\Demo", "App"},
        {"\\\\server\\share\\dir", "\\\\server\\share\\"},
        {"\\\\server\\share\\dir\\sub", "\\\\server\\share\\"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\\\server\\share\\", "\\\\server\\share\\"},
        {"\\\\server", "\\\\server"},
        {"\\\\server\\", "\\\\server\\"},
        {"//server/share/dir", "//server/share/"},
        {"\\\\server/share\\dir", "\\\\server/share\\"},
        {"\\Apps\\Demo\\x", "\\Apps\\Demo\\"},
        {"\\\\\\server\\share\\dir", "\\\\\\server\\share\\"},
        {"\\\\server\\\\share", "\\\\server\\\\"},
        {"\\", "\\"},
        {"", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\"");
        EXPECT_EQ(path_root(c.path), c.expected);
    }
}

TEST(IsFullPath, ADriveOrANetworkShareWithTheSeparatorOfItsRoot)
{
    struct Case {
        std::string path;
        bool full;
    } cases[] = {
        {"C:\\Tool", true},
        {"C:\\", true},
        {"c:\\Program Files\\Example", true},
        {"Z:/Tool", true},
        {"C:\\Apps\\..\\Tool", true},
        {"\\\\server\\share\\Tool", true},
        {"\\\\server\\share\\", true},
        {"//server/share/Tool", true},
        {"\\\\server/share\\Tool", true},
        // Relative to the current directory, the current drive or the current directory of a drive.
        {"Apps\\Tool", false},
        {"Tool", false},
        {"\\Tool", false},
        {"/Tool", false},
        {"\\", false},
        {"C:Tool", false},
        {"C:", false},
        {" C:\\Tool", false},
        {"1:\\Tool", false},
        {"::\\Tool", false},
        {".\\Tool", false},
        {"..\\Tool", false},
        // A network path needs a server, a share and the separator after the share.
        {"\\\\server\\share", false},
        {"\\\\server\\", false},
        {"\\\\server", false},
        {"\\\\", false},
        {"\\\\\\server\\share\\Tool", false},
        {"\\\\server\\\\share\\Tool", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("path \"" + c.path + "\"");
        EXPECT_EQ(is_full_path(c.path), c.full);
    }
}

} // namespace
