#include "decimal_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SignedDecimalFromText, ConvertsLikeAtoi)
{
    struct Case {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"7", 7},       {" 7", 7},        {"+7", 7},        {"x", 0},         {"", 0},
        {"-7", -7},     {"\t\n 12", 12},  {"12ab", 12},     {"1 2", 1},       {"+", 0},
        {"- 3", 0},     {"--3", 0},       {"007", 7},       {"2147483647", 2147483647},
        {"2147483648", 2147483647},       {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},        {"99999999999999999999", 2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(signed_decimal_from_text(c.text), c.value);
    }
}

TEST(UnsignedDecimalFromText, ConvertsLikeStrtoulBase10On32Bits)
{
    struct Case {
        const char* text;
        std::uint32_t value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"  42z", 42},
        {"+42", 42},
        {"-1", 4294967295u},
        {"-2", 4294967294u},
        {"-4294967295", 1},
        {"4294967295", 4294967295u},
        {"4294967296", 4294967295u},
        {"-4294967296", 4294967295u},
        {"123456789012345678901234567890", 4294967295u},
        {"0x10", 0},
        {"abc", 0},
        {"", 0},
        {"-", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(unsigned_decimal_from_text(c.text), c.value);
    }
}

} // namespace
