#include "package_cursor.h"

#include "fixture_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::span<const std::uint8_t> span_of(const std::vector<std::uint8_t>& bytes) { return bytes; }

TEST(PackageCursor, TextTakesItsLengthRoundedDownToFourPlusFour)
{
    struct Case {
        const char* text;
        std::size_t field_size;
    } cases[] = {{"", 4}, {"a", 4}, {"ab", 4}, {"abc", 4}, {"abcd", 8}, {"abcde", 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::uint8_t> bytes = PackageBytes().text(c.text).u32(0xA1B2C3D4).bytes();
        ASSERT_EQ(bytes.size(), c.field_size + 4);
        PackageCursor cursor(span_of(bytes));
        EXPECT_EQ(cursor.read_text(), c.text);
        EXPECT_EQ(cursor.position(), c.field_size);
        EXPECT_EQ(cursor.read_u32(), 0xA1B2C3D4u);
    }
}

TEST(PackageCursor, PaddingBytesAreIgnored)
{
    std::vector<std::uint8_t> bytes{'a', 0, 'x', 'y', 7, 0, 0, 0};
    PackageCursor cursor(span_of(bytes));
    EXPECT_EQ(cursor.read_text(), "a");
    EXPECT_EQ(cursor.read_u32(), 7u);
}

TEST(PackageCursor, RefusesWhatRunsPastTheEndAndStaysPut)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool (*read)(PackageCursor&);
    } cases[] = {
        {"u32 of 3 bytes", {1, 2, 3}, [](PackageCursor& c) { return bool(c.read_u32()); }},
        {"text without NUL", {'a', 'b', 'c', 'd'}, [](PackageCursor& c) { return bool(c.read_text()); }},
        {"text without its padding", {'a', 'b', 'c', 'd', 0}, [](PackageCursor& c) { return bool(c.read_text()); }},
        {"empty text without padding", {0, 0, 0}, [](PackageCursor& c) { return bool(c.read_text()); }},
        {"raw block of 3, 2 bytes", {3, 0, 0, 0, 9, 9}, [](PackageCursor& c) { return bool(c.read_raw_block()); }},
        {"raw block of 2^32 - 1", {0xFF, 0xFF, 0xFF, 0xFF, 9}, [](PackageCursor& c) { return bool(c.read_raw_block()); }},
        {"raw block, short size", {1, 0}, [](PackageCursor& c) { return bool(c.read_raw_block()); }},
        {"bytes", {1, 2}, [](PackageCursor& c) { return bool(c.read_bytes(3)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageCursor cursor(span_of(c.bytes));
        EXPECT_FALSE(c.read(cursor));
        EXPECT_EQ(cursor.position(), 0u);
    }
}

TEST(PackageCursor, TextLimitCountsCharacters)
{
    std::vector<std::uint8_t> bytes = PackageBytes().text("abcde").bytes();
    EXPECT_EQ(PackageCursor(span_of(bytes)).read_text(5), "abcde");
    PackageCursor cursor(span_of(bytes));
    EXPECT_FALSE(cursor.read_text(4));
    EXPECT_EQ(cursor.position(), 0u);
}

TEST(PackageCursor, RawBlockIsNotPadded)
{
    struct Case {
        std::string data;
    } cases[] = {{""}, {"a"}, {"abc"}, {"abcd"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data.size());
        std::vector<std::uint8_t> bytes = PackageBytes().raw_block(c.data).text("next").bytes();
        PackageCursor cursor(span_of(bytes));
        std::optional<std::span<const std::uint8_t>> block = cursor.read_raw_block();
        ASSERT_TRUE(block);
        EXPECT_EQ(std::string(block->begin(), block->end()), c.data);
        EXPECT_EQ(cursor.position(), 4 + c.data.size());
        EXPECT_EQ(cursor.read_text(), "next");
        EXPECT_EQ(cursor.remaining(), 0u);
    }
}

} // namespace
