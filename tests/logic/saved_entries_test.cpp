#include "saved_entries.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const example_file =
    "1\r\n-1\r\n0\r\n-1\r\n0\r\n"
    "55000\r\n2\r\n7300\r\n13500\r\n0\r\n5178\r\n6000\r\n822\r\n0\r\n"
    "120\r\n-40\r\n";

SavedEntries example_entries()
{
    SavedEntries e;
    e.filing_status = 1;
    e.boxes = {true, false, true, false};
    e.entries = {"55000", "2", "7300", "13500", "0", "5178", "6000", "822", "0"};
    e.window_top = 120;
    e.window_left = -40;
    return e;
}

void expect_same(const SavedEntries& a, const SavedEntries& b)
{
    EXPECT_EQ(a.filing_status, b.filing_status);
    EXPECT_EQ(a.boxes, b.boxes);
    EXPECT_EQ(a.entries, b.entries);
    EXPECT_EQ(a.window_top, b.window_top);
    EXPECT_EQ(a.window_left, b.window_left);
}

TEST(SavedEntries, ComposesSixteenCrLfLines)
{
    EXPECT_EQ(compose_saved_entries(example_entries()), example_file);

    SavedEntries none_selected;
    none_selected.filing_status = -1;
    EXPECT_TRUE(compose_saved_entries(none_selected).starts_with("-1\r\n0\r\n0\r\n0\r\n0\r\n\r\n"));
}

TEST(SavedEntries, ReadsBackWhatWasWritten)
{
    LoadedEntries loaded = parse_saved_entries(compose_saved_entries(example_entries()));
    EXPECT_EQ(loaded.lines_applied, 16);
    EXPECT_FALSE(loaded.bad_integer_text);
    expect_same(loaded.values, example_entries());
}

TEST(SavedEntries, AcceptsBareLineFeedsAndAMissingLastLineEnd)
{
    std::string text = example_file;
    std::string bare;
    for (char c : text)
        if (c != '\r') bare += c;
    bare.pop_back();  // no line end after the last line
    LoadedEntries loaded = parse_saved_entries(bare);
    EXPECT_EQ(loaded.lines_applied, 16);
    expect_same(loaded.values, example_entries());
}

TEST(SavedEntries, KeepsACarriageReturnThatNoLineFeedFollows)
{
    std::string text = example_file;
    text.replace(text.find("55000"), 5, "55\r000");
    LoadedEntries loaded = parse_saved_entries(text);
    EXPECT_EQ(loaded.values.entries[0], "55\r000");
}

TEST(SavedEntries, IgnoresLinesAfterTheSixteenth)
{
    LoadedEntries loaded = parse_saved_entries(std::string(example_file) + "junk\r\nmore\r\n");
    EXPECT_EQ(loaded.lines_applied, 16);
    EXPECT_FALSE(loaded.bad_integer_text);
}

TEST(SavedEntries, ClampsTheFilingStatusAndTicksAnyNonZeroBox)
{
    struct Case {
        const char* line1;
        int status;
    } cases[] = {{"7", 3}, {"3", 3}, {"0", 0}, {"-1", -1}, {"-5", -1}, {"$2", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line1);
        std::string text = std::string(c.line1) + std::string(example_file).substr(1);
        EXPECT_EQ(parse_saved_entries(text).values.filing_status, c.status);
    }
    LoadedEntries loaded = parse_saved_entries("0\r\n1\r\n0\r\n17\r\n0x0\r\n");
    EXPECT_EQ(loaded.values.boxes, (std::array<bool, 4>{true, false, true, false}));
}

TEST(SavedEntries, StopsAtTheFirstLineThatIsNoInteger)
{
    struct Case {
        std::string text;
        int lines_applied;
        const char* bad_text;
    } cases[] = {
        {"", 0, ""},
        {"abc\r\n", 0, "abc"},
        {"1\r\n-1\r\n1.5\r\n", 2, "1.5"},
        {"0\r\n0\r\n0\r\n0\r\n0\r\n", 14, ""},  // five lines: entries empty, line 15 missing
        {std::string(example_file).replace(std::string(example_file).rfind("-40"), 3, " -40 "), 15, " -40 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LoadedEntries loaded = parse_saved_entries(c.text);
        EXPECT_EQ(loaded.lines_applied, c.lines_applied);
        ASSERT_TRUE(loaded.bad_integer_text);
        EXPECT_EQ(*loaded.bad_integer_text, c.bad_text);
    }
}

TEST(SavedEntries, AShortFileLeavesEmptyEntries)
{
    LoadedEntries loaded = parse_saved_entries("2\r\n-1\r\n0\r\n0\r\n-1\r\n");
    EXPECT_EQ(loaded.values.filing_status, 2);
    EXPECT_EQ(loaded.values.boxes, (std::array<bool, 4>{true, false, false, true}));
    for (const std::string& entry : loaded.values.entries) EXPECT_EQ(entry, "");
}

TEST(SavedEntries, Messages)
{
    EXPECT_EQ(invalid_integer_message(""), "'' is not a valid integer value.");
    EXPECT_EQ(invalid_integer_message("abc"), "'abc' is not a valid integer value.");
    EXPECT_EQ(io_error_message(5), "I/O error 5.");
}

} // namespace
