// How the setup file listing shows single values.
#include "listing_values.h"
#include "utc_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace builder;
using namespace std::string_literals;

namespace {

TEST(ListingValues, QuotesTextsSoThatEveryByteIsVisible)
{
    struct Case {
        std::string text;
        std::string shown;
    } cases[] = {
        {"", R"("")"},
        {"Zelmor Federal Income Tax ", R"("Zelmor Federal Income Tax ")"},
        {" x", R"(" x")"},
        {R"(Samples\First)", R"("Samples\\First")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {"a\tb\r\nc", R"("a\tb\r\nc")"},
        {"\x01\x1F\x7F"s, R"("\x01\x1F\x7F")"},
        {"\xA9 2010\xFF"s, R"("\xA9 2010\xFF")"},
        {"a\0b"s, R"("a\x00b")"},
        {"~ ok!", R"("~ ok!")"},
    };
    for (const Case& c : cases) EXPECT_EQ(quoted_text(c.text), c.shown) << c.shown;
}

TEST(ListingValues, SummarisesLongTextsByLengthAndOpening)
{
    EXPECT_EQ(text_summary("", 5), R"(0 characters "")");
    EXPECT_EQ(text_summary("abcde", 5), R"(5 characters "abcde")");
    EXPECT_EQ(text_summary("abcdef", 5), R"(6 characters "abcde"...)");
    EXPECT_EQ(text_summary(R"({\rtf1\ansi})", 6), R"(12 characters "{\\rtf1"...)");
}

TEST(ListingValues, ShowsNumbersAndBytesInHexadecimal)
{
    EXPECT_EQ(hex_u32(0), "0x00000000");
    EXPECT_EQ(hex_u32(0x450A2F50), "0x450A2F50");
    EXPECT_EQ(hex_u32(0xFFFFFFFF), "0xFFFFFFFF");
    EXPECT_EQ(hex_bytes(std::vector<std::uint8_t>{}), "");
    EXPECT_EQ(hex_bytes(std::vector<std::uint8_t>{0x01}), "01");
    EXPECT_EQ(hex_bytes(std::vector<std::uint8_t>{0x01, 0xA0, 0xFF, 0x0B}), "01 A0 FF 0B");
}

TEST(UtcTime, GivesTheGregorianDateAndTime)
{
    struct Case {
        std::uint64_t seconds;
        std::string text;
    } cases[] = {
        {0, "1970-01-01 00:00:00 UTC"},
        {1262304000, "2010-01-01 00:00:00 UTC"},
        {951782400, "2000-02-29 00:00:00 UTC"},   // a leap day in a year divisible by 400
        {951868799, "2000-02-29 23:59:59 UTC"},
        {4107542399, "2100-02-28 23:59:59 UTC"},  // 2100 is no leap year
        {4107542400, "2100-03-01 00:00:00 UTC"},
        {0x100000005, "2106-02-07 06:28:21 UTC"}, // the high half in use
        {253402300799, "9999-12-31 23:59:59 UTC"},
        {253402300800, "10000-01-01 00:00:00 UTC"},
        {UINT64_MAX, "584554051223-11-09 07:00:15 UTC"},
    };
    for (const Case& c : cases) EXPECT_EQ(utc_time_text(c.seconds), c.text) << c.seconds;
}

} // namespace
