#include "number_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int hex_digit_value(char c)
{
    if (is_digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::size_t skip_blanks(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] == ' ') ++pos;
    return pos;
}

std::size_t skip_digits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && is_digit(text[pos])) ++pos;
    return pos;
}

// True when text[pos..] is exactly a decimal number with optional fraction and exponent.
bool is_real_number_syntax(std::string_view text, std::size_t pos)
{
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    std::size_t int_end = skip_digits(text, pos);
    std::size_t digits = int_end - pos;
    pos = int_end;
    if (pos < text.size() && text[pos] == '.') {
        std::size_t frac_end = skip_digits(text, pos + 1);
        digits += frac_end - (pos + 1);
        pos = frac_end;
    }
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        std::size_t exp_end = skip_digits(text, pos);
        if (exp_end == pos) return false;
        pos = exp_end;
    }
    return pos == text.size();
}

// Length of a hexadecimal prefix ("$", "0x", "x", either case) at text[pos], or 0.
std::size_t hex_prefix_length(std::string_view text, std::size_t pos)
{
    std::string_view rest = text.substr(pos);
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) return 1;
    if (rest.starts_with("0x") || rest.starts_with("0X")) return 2;
    return 0;
}

// Decimal digits of a whole, non-negative long double of any size.
std::string whole_number_digits(long double whole)
{
    constexpr long double two_to_64 = 18446744073709551616.0L;
    if (whole < two_to_64) return std::to_string(static_cast<unsigned long long>(whole));

    // whole = mantissa * 2^shift exactly, with a 64-bit mantissa.
    int exponent = 0;
    long double fraction = std::frexp(whole, &exponent);
    auto mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 64));
    int shift = exponent - 64;

    // Little-endian limbs of nine decimal digits each.
    constexpr std::uint32_t limb_base = 1000000000;
    std::vector<std::uint32_t> limbs;
    for (unsigned long long m = mantissa; m != 0; m /= limb_base)
        limbs.push_back(static_cast<std::uint32_t>(m % limb_base));
    while (shift > 0) {
        int step = std::min(shift, 30);
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            std::uint64_t value = (static_cast<std::uint64_t>(limb) << step) + carry;
            limb = static_cast<std::uint32_t>(value % limb_base);
            carry = value / limb_base;
        }
        for (; carry != 0; carry /= limb_base) limbs.push_back(static_cast<std::uint32_t>(carry % limb_base));
        shift -= step;
    }

    std::string digits = std::to_string(limbs.back());
    for (auto it = limbs.rbegin() + 1; it != limbs.rend(); ++it) {
        std::string limb = std::to_string(*it);
        digits.append(9 - limb.size(), '0').append(limb);
    }
    return digits;
}

} // namespace

std::optional<long double> text_to_real(std::string_view text)
{
    std::size_t start = skip_blanks(text, 0);
    if (!is_real_number_syntax(text, start)) return std::nullopt;

    std::string number(text.substr(start));
    errno = 0;
    long double value = std::strtold(number.c_str(), nullptr);
    if (std::isinf(value)) return std::nullopt;  // beyond the 80-bit range
    return value;
}

std::optional<std::int32_t> text_to_integer(std::string_view text)
{
    std::size_t pos = skip_blanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::size_t prefix = hex_prefix_length(text, pos);
    unsigned base = prefix != 0 ? 16 : 10;
    pos += prefix;
    if (pos == text.size()) return std::nullopt;

    // The magnitude may reach 2^31 (for the negative limit); anything beyond fails.
    constexpr std::uint64_t limit = std::uint64_t{1} << 31;
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        int digit = base == 16 ? hex_digit_value(text[pos]) : (is_digit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > limit) return std::nullopt;
    }
    if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    if (magnitude == limit) return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

std::string amount_to_text(long double amount)
{
    if (std::isnan(amount)) return "nan";
    if (std::isinf(amount)) return amount < 0 ? "-inf" : "inf";

    long double magnitude = std::fabs(amount);
    long double whole = std::floor(magnitude);
    if (magnitude - whole >= 0.5L) whole += 1;  // the difference is exact
    if (whole == 0) return "0";
    std::string digits = whole_number_digits(whole);
    return amount < 0 ? "-" + digits : digits;
}
