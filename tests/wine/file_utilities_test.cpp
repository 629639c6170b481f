// The file and directory utilities on real files and directories.
#include "file_utilities.h"
#include "scoped_find_handle.h"
#include "scoped_handle.h"
#include "test_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

bool directory_exists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Names in the directory other than "." and "..".
std::vector<std::string> entries_of(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    ScopedFindHandle search(FindFirstFileA((directory + "\\*").c_str(), &entry));
    if (!search.valid()) return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.get(), &entry));
    return names;
}

ScopedHandle open_for_reading(const std::string& path)
{
    return ScopedHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

ScopedHandle create_for_writing(const std::string& path)
{
    return ScopedHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// ---------------------------------------------------------------------------------------------
// create_directory_path

TEST(CreateDirectoryPath, CreatesTheMissingLevelsAndCountsThem)
{
    ScratchDirectory dir;
    ASSERT_TRUE(CreateDirectoryA(dir.file("A").c_str(), nullptr));
    int count = -1;
    EXPECT_TRUE(create_directory_path(dir.file("A\\B\\C"), &count));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(directory_exists(dir.file("A\\B\\C")));
}

TEST(CreateDirectoryPath, AcceptsAPathThatEndsInABackslash)
{
    ScratchDirectory dir;
    int count = -1;
    EXPECT_TRUE(create_directory_path(dir.file("A\\B\\"), &count));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(directory_exists(dir.file("A\\B")));
}

TEST(CreateDirectoryPath, CountsNothingForAnExistingPath)
{
    ScratchDirectory dir;
    int count = -1;
    EXPECT_TRUE(create_directory_path(dir.path(), &count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(create_directory_path(dir.path()));
}

TEST(CreateDirectoryPath, RefusesAPathWithoutBackslash)
{
    int count = 7;
    EXPECT_FALSE(create_directory_path("zelmor-no-backslash", &count));
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(directory_exists("zelmor-no-backslash"));
    EXPECT_FALSE(create_directory_path("C:/zelmor/forward/slashes"));
}

TEST(CreateDirectoryPath, FailsWhereAFileBlocksALevel)
{
    ScratchDirectory dir;
    ASSERT_TRUE(write_file(dir.file("F"), "x"));
    int count = -1;
    EXPECT_FALSE(create_directory_path(dir.file("F\\sub\\deeper"), &count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(file_exists(dir.file("F")));
}

// A name the file system refuses is an error other than "exists" or "access denied".
TEST(CreateDirectoryPath, StopsAtOtherErrorsAndCountsTheLevelsCreatedBefore)
{
    ScratchDirectory dir;
    int count = -1;
    EXPECT_FALSE(create_directory_path(dir.file("N\\bad|name\\x"), &count));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(directory_exists(dir.file("N")));
    EXPECT_EQ(entries_of(dir.file("N")), std::vector<std::string>{});
}

// \\?\C:\... begins with two backslashes: "\\?" stands where a server name would, and trying it
// as a directory fails with "invalid name", so the walk must start at "\\?\C:". (Wine reports
// that drive level as newly created, so the count is not checked here.)
TEST(CreateDirectoryPath, NeverTriesTheServerNameOfAPathThatBeginsWithTwoBackslashes)
{
    ScratchDirectory dir;
    EXPECT_TRUE(create_directory_path("\\\\?\\" + dir.file("A\\B")));
    EXPECT_TRUE(directory_exists(dir.file("A\\B")));
}

// ---------------------------------------------------------------------------------------------
// is_directory, directory_state

TEST(IsDirectory, IsTrueForDirectoriesOnly)
{
    ScratchDirectory dir;
    ASSERT_TRUE(write_file(dir.file("f.txt"), "x"));
    EXPECT_TRUE(is_directory(dir.path()));
    EXPECT_TRUE(is_directory(dir.path() + "\\"));
    EXPECT_FALSE(is_directory(dir.file("f.txt")));
    EXPECT_FALSE(is_directory(dir.file("missing")));
    EXPECT_FALSE(is_directory(""));
}

TEST(DirectoryState, ClassifiesTheDestination)
{
    ScratchDirectory dir;
    ASSERT_TRUE(CreateDirectoryA(dir.file("empty").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dir.file("with_file").c_str(), nullptr));
    ASSERT_TRUE(write_file(dir.file("with_file\\a.txt"), ""));
    ASSERT_TRUE(CreateDirectoryA(dir.file("with_subdirectory").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dir.file("with_subdirectory\\inner").c_str(), nullptr));
    ASSERT_TRUE(write_file(dir.file("plain_file"), "x"));

    const std::pair<std::string, DirectoryState> cases[] = {
        {dir.file("missing"), DirectoryState::not_a_directory},
        {dir.file("missing\\deeper"), DirectoryState::not_a_directory},
        {dir.file("plain_file"), DirectoryState::not_a_directory},
        {"", DirectoryState::not_a_directory},
        {dir.file("with_file"), DirectoryState::not_empty},
        {dir.file("with_subdirectory"), DirectoryState::not_empty},
        {dir.file("empty"), DirectoryState::empty},
        {dir.file("empty\\"), DirectoryState::empty},
        {dir.file("with_subdirectory\\inner"), DirectoryState::empty},
    };
    for (const auto& [path, state] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(directory_state(path), state);
    }
    EXPECT_EQ(static_cast<int>(DirectoryState::not_a_directory), 1);
    EXPECT_EQ(static_cast<int>(DirectoryState::cannot_list), 2);
    EXPECT_EQ(static_cast<int>(DirectoryState::not_empty), 3);
    EXPECT_EQ(static_cast<int>(DirectoryState::empty), 4);
}

// ---------------------------------------------------------------------------------------------
// can_write_directory

TEST(CanWriteDirectory, IsTrueForAWritableDirectoryAndLeavesNoProbe)
{
    ScratchDirectory dir;
    EXPECT_TRUE(can_write_directory(dir.path()));
    EXPECT_TRUE(can_write_directory(dir.path() + "\\"));
    EXPECT_EQ(entries_of(dir.path()), std::vector<std::string>{});
}

TEST(CanWriteDirectory, IsFalseForAnUnwritableDirectoryAndLeavesNoProbe)
{
    ScratchDirectory dir;
    if (!make_directory_unwritable(dir.path())) GTEST_SKIP() << "no way to make a directory unwritable here";
    bool writable = can_write_directory(dir.path());
    make_directory_writable(dir.path());
    EXPECT_FALSE(writable);
    EXPECT_EQ(entries_of(dir.path()), std::vector<std::string>{});
}

TEST(CanWriteDirectory, IsFalseForWhatIsNoDirectory)
{
    ScratchDirectory dir;
    ASSERT_TRUE(write_file(dir.file("plain_file"), "x"));
    EXPECT_FALSE(can_write_directory(dir.file("missing")));
    EXPECT_FALSE(can_write_directory(dir.file("plain_file")));
    EXPECT_FALSE(can_write_directory(""));
    EXPECT_EQ(entries_of(dir.path()), std::vector<std::string>{"plain_file"});
}

// ---------------------------------------------------------------------------------------------
// read_line

struct LineRead {
    bool result;
    std::string text;
};

struct ReadLineCase {
    const char* name;
    std::string bytes;
    std::vector<LineRead> reads; // in order; the last one is at the end of the file
};

TEST(ReadLine, SplitsTheFileIntoLines)
{
    const std::string long_text(max_line_length + 905, 'a');
    const std::string exact_text(max_line_length, 'b');
    const ReadLineCase cases[] = {
        {"CR LF lines", std::string("xy\r\n\r\nz"), {{true, "xy"}, {true, ""}, {true, "z"}, {false, ""}}},
        {"bare LF", "\n", {{false, ""}, {false, ""}}},
        {"bare LF then a line", "\nabc\n", {{false, ""}, {true, "abc"}, {false, ""}}},
        {"LF lines", "one\ntwo\n", {{true, "one"}, {true, "two"}, {false, ""}}},
        {"a CR ends the text", "ab\rcd\r\nnext\r\n", {{true, "ab"}, {true, "next"}, {false, ""}}},
        {"a lone CR is a line", "\r", {{true, ""}, {false, ""}}},
        {"a NUL ends the text", std::string("ab\0cd\r\n", 6), {{true, "ab"}, {false, ""}}},
        {"empty file", "", {{false, ""}, {false, ""}}},
        {"long line in pieces", long_text + "\r\nz\r\n",
         {{true, long_text.substr(0, max_line_length)}, {true, long_text.substr(max_line_length)}, {true, "z"},
          {false, ""}}},
        {"line of the longest length", exact_text + "\r\n", {{true, exact_text}, {true, ""}, {false, ""}}},
    };
    ScratchDirectory dir;
    for (const ReadLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(write_file(dir.file("lines.txt"), c.bytes));
        ScopedHandle file = open_for_reading(dir.file("lines.txt"));
        ASSERT_TRUE(file.valid());
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            SCOPED_TRACE("read " + std::to_string(i + 1));
            std::string text = "left over";
            EXPECT_EQ(read_line(file.get(), text), c.reads[i].result);
            EXPECT_EQ(text, c.reads[i].text);
        }
    }
}

TEST(ReadLine, IsFalseForAHandleThatCannotBeRead)
{
    ScratchDirectory dir;
    ScopedHandle file = create_for_writing(dir.file("write_only.txt"));
    ASSERT_TRUE(file.valid());
    std::string text = "left over";
    EXPECT_FALSE(read_line(file.get(), text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(read_line(INVALID_HANDLE_VALUE, text));
    EXPECT_EQ(text, "");
}

// ---------------------------------------------------------------------------------------------
// write_field

TEST(WriteField, WritesTheTextThenACommaOrALineEnd)
{
    ScratchDirectory dir;
    const std::string long_text(3000, 'L');
    {
        ScopedHandle file = create_for_writing(dir.file("fields.txt"));
        ASSERT_TRUE(file.valid());
        EXPECT_TRUE(write_field(file.get(), "abc", true));
        EXPECT_TRUE(write_field(file.get(), "def", false));
        EXPECT_TRUE(write_field(file.get(), "", true));
        EXPECT_TRUE(write_field(file.get(), "", false));
        EXPECT_TRUE(write_field(file.get(), long_text, false));
    }
    EXPECT_EQ(read_file(dir.file("fields.txt")), "abc,def\r\n,\r\n" + long_text + "\r\n");
}

TEST(WriteField, IsFalseWhenTheFileCannotBeWritten)
{
    ScratchDirectory dir;
    ASSERT_TRUE(write_file(dir.file("read_only.txt"), ""));
    ScopedHandle file = open_for_reading(dir.file("read_only.txt"));
    ASSERT_TRUE(file.valid());
    EXPECT_FALSE(write_field(file.get(), "abc", true));
    EXPECT_FALSE(write_field(file.get(), "abc", false));
    EXPECT_FALSE(write_field(INVALID_HANDLE_VALUE, "abc", false));
}

// ---------------------------------------------------------------------------------------------
// read_whole_file

TEST(ReadWholeFile, GivesTheBytesTheirSizeAndTheirChecksum)
{
    ScratchDirectory dir;
    ASSERT_TRUE(write_file(dir.file("digits.bin"), "123456789"));
    std::vector<std::uint8_t> data;
    DWORD size = 0;
    std::uint32_t checksum = 0;
    ASSERT_TRUE(read_whole_file(dir.file("digits.bin"), data, &size, &checksum));
    EXPECT_EQ(std::string(data.begin(), data.end()), "123456789");
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(checksum, 0xFC891918u);
}

TEST(ReadWholeFile, ReadsBinaryAndEmptyFilesWithTheOutputsOptional)
{
    ScratchDirectory dir;
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += static_cast<char>(i * 7 % 256);
    ASSERT_TRUE(write_file(dir.file("binary.bin"), binary));
    ASSERT_TRUE(write_file(dir.file("empty.bin"), ""));

    std::vector<std::uint8_t> data{1, 2, 3};
    ASSERT_TRUE(read_whole_file(dir.file("binary.bin"), data));
    EXPECT_EQ(std::string(data.begin(), data.end()), binary);

    DWORD size = 99;
    std::uint32_t checksum = 99;
    ASSERT_TRUE(read_whole_file(dir.file("empty.bin"), data, &size, &checksum));
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(checksum, 0u);
}

TEST(ReadWholeFile, FailsWithoutTouchingTheOutputs)
{
    ScratchDirectory dir;
    ASSERT_TRUE(write_file(dir.file("held.bin"), "held"));
    ScopedHandle holder = open_for_reading(dir.file("held.bin")); // shares nothing
    ASSERT_TRUE(holder.valid());

    for (const std::string& path : {dir.file("missing.bin"), dir.path(), dir.file("held.bin")}) {
        SCOPED_TRACE(path);
        std::vector<std::uint8_t> data{7};
        DWORD size = 99;
        std::uint32_t checksum = 99;
        EXPECT_FALSE(read_whole_file(path, data, &size, &checksum));
        EXPECT_EQ(data, std::vector<std::uint8_t>{7});
        EXPECT_EQ(size, 99u);
        EXPECT_EQ(checksum, 99u);
    }
}

} // namespace
