#include "decimal_text.h"

#include <limits>

namespace {

// The parts of "<white space><sign><digits>..." that both conversions share.
struct DecimalParts {
    bool negative = false;
    std::uint64_t magnitude = 0;  // saturates just above the 32-bit unsigned range
};

bool is_white_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

DecimalParts split_decimal(std::string_view text)
{
    constexpr std::uint64_t saturated = std::uint64_t{std::numeric_limits<std::uint32_t>::max()} + 1;
    DecimalParts parts;
    std::size_t pos = 0;
    while (pos < text.size() && is_white_space(text[pos])) ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) parts.negative = text[pos++] == '-';
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        parts.magnitude = parts.magnitude * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        if (parts.magnitude > saturated) parts.magnitude = saturated;
    }
    return parts;
}

} // namespace

std::int32_t signed_decimal_from_text(std::string_view text)
{
    DecimalParts parts = split_decimal(text);
    std::int64_t value = parts.negative ? -static_cast<std::int64_t>(parts.magnitude)
                                        : static_cast<std::int64_t>(parts.magnitude);
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::uint32_t unsigned_decimal_from_text(std::string_view text)
{
    DecimalParts parts = split_decimal(text);
    if (parts.magnitude > std::numeric_limits<std::uint32_t>::max()) return std::numeric_limits<std::uint32_t>::max();
    std::uint32_t magnitude = static_cast<std::uint32_t>(parts.magnitude);
    return parts.negative ? 0u - magnitude : magnitude;
}
