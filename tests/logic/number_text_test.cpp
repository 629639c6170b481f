#include "number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>

namespace {

struct RealCase {
    const char* text;
    std::optional<long double> value;
};

TEST(TextToReal, AcceptsWholeNumbersOnly)
{
    const RealCase cases[] = {
        {"5", 5},           {" 5", 5},          {"   -5", -5},       {"+5", 5},
        {"5.", 5},          {".5", 0.5L},       {"-.25", -0.25L},   {"1e3", 1000},
        {"1E+3", 1000},     {"2.5e-1", 0.25L},  {"55000", 55000},   {"0", 0},
        {"1e4000", 1e4000L}, {"1e-5000", 0},
        {"", std::nullopt}, {" ", std::nullopt}, {".", std::nullopt}, {"5 ", std::nullopt},
        {"50,000", std::nullopt}, {"$5", std::nullopt}, {"5$", std::nullopt}, {"0x10", std::nullopt},
        {"1e", std::nullopt}, {"1e+", std::nullopt}, {"e5", std::nullopt}, {"--5", std::nullopt},
        {"1.2.3", std::nullopt}, {"\t5", std::nullopt}, {"5\r", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt}, {"1e5000", std::nullopt}, {"-1e5000", std::nullopt}, {"???", std::nullopt},
    };
    for (const RealCase& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(text_to_real(c.text), c.value);
    }
}

TEST(TextToReal, RoundsToTheNearestExtendedValue)
{
    // 0.1 is not exact in binary: the conversion must give the nearest 80-bit value, the
    // same one the compiler gives the literal.
    EXPECT_EQ(text_to_real("0.1"), 0.1L);
    EXPECT_EQ(text_to_real("372950.33"), 372950.33L);
    EXPECT_EQ(text_to_real("1.18973149535723176502e+4932"), LDBL_MAX);
}

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

TEST(TextToInteger, AcceptsDecimalAndHexadecimalWithin32Bits)
{
    const IntegerCase cases[] = {
        {"0", 0},
        {"12", 12},
        {"  12", 12},
        {"+12", 12},
        {"-12", -12},
        {"$1F", 31},
        {"0x1f", 31},
        {"0X1F", 31},
        {"x1F", 31},
        {"X10", 16},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", -2147483647 - 1},
        {"007", 7},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"12 ", std::nullopt},
        {"1.0", std::nullopt},
        {"1e3", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"$G", std::nullopt},
        {"12a", std::nullopt},
        {"\t1", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(text_to_integer(c.text), c.value);
    }
}

struct AmountCase {
    long double amount;
    const char* text;
};

TEST(AmountToText, RoundsHalvesAwayFromZeroAtEveryMagnitude)
{
    const AmountCase cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {0.4L, "0"},
        {-0.4L, "0"},
        {0.5L, "1"},
        {-0.5L, "-1"},
        {1.5L, "2"},
        {2.5L, "3"},
        {-2.5L, "-3"},
        {3650, "3650"},
        {-3650, "-3650"},
        {26637.5L, "26638"},
        {100894.5L, "100895"},
        {4503599627370495.5L, "4503599627370496"},  // a half where doubles have no fraction bits
        {9223372036854775807.0L, "9223372036854775807"},
        {18446744073709551615.0L, "18446744073709551615"},
        {18446744073709551616.0L, "18446744073709551616"},
        {1e30L, "1000000000000000000024696061952"},
        {-1e30L, "-1000000000000000000024696061952"},
        {0x1p100L, "1267650600228229401496703205376"},
    };
    for (const AmountCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(amount_to_text(c.amount), c.text);
    }
}

TEST(AmountToText, PrintsTheLargestAmountInFull)
{
    std::string text = amount_to_text(LDBL_MAX);
    EXPECT_EQ(text.size(), 4933u);
    EXPECT_EQ(text.substr(0, 20), "11897314953572317650");
    EXPECT_EQ(text.substr(text.size() - 10), "1989770240");
}

} // namespace
