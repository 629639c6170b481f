// Fuzz entry of the estimator's number texts, both ways. The bytes are a text for the two
// parsers; their first ten bytes are also an 80-bit amount (64-bit mantissa, then sign and
// exponent) for the formatter. What the formatter prints must parse back to the amount rounded
// as it promises, what a parser accepts must keep its value through the formatter, and the
// parsers must agree with the rules their header states for blanks and decimal integers.
#include "fuzz_checks.h"
#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr int exponent_bias = 16383;
constexpr int mantissa_bits = 64;

// Any finite amount, infinity or NaN, made from ten bytes the way the 80-bit type lays them out.
long double amount_from_bytes(const std::uint8_t* bytes)
{
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, bytes, sizeof mantissa);
    unsigned sign_and_exponent = bytes[8] | unsigned{bytes[9]} << 8;
    bool negative = (sign_and_exponent & 0x8000u) != 0;
    int exponent = static_cast<int>(sign_and_exponent & 0x7FFFu);
    long double magnitude = 0;
    if (exponent == 0x7FFF)
        magnitude = mantissa == 0 ? std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::quiet_NaN();
    else
        magnitude = std::ldexp(static_cast<long double>(mantissa), exponent - exponent_bias - (mantissa_bits - 1));
    return negative ? -magnitude : magnitude;
}

// "0", or an optional "-" and digits without a leading zero.
bool is_whole_number_text(std::string_view text)
{
    if (text == "0") return true;
    if (text.starts_with('-')) text.remove_prefix(1);
    return !text.empty() && text.front() != '0' && text.find_first_not_of("0123456789") == std::string_view::npos;
}

void check_formatting(long double amount)
{
    std::string text = amount_to_text(amount);
    if (std::isnan(amount)) {
        require(text == "nan");
        return;
    }
    if (std::isinf(amount)) {
        require(text == (amount < 0 ? "-inf" : "inf"));
        return;
    }
    require(is_whole_number_text(text));
    // Halves away from zero, as roundl rounds.
    long double rounded = std::round(amount);
    std::optional<long double> parsed = text_to_real(text);
    require(parsed && *parsed == rounded);
    if (std::fabs(rounded) < 2147483648.0L) require(text_to_integer(text) == static_cast<std::int32_t>(rounded));
}

// The text after its leading blanks, when that is a sign and decimal digits.
std::optional<std::string_view> decimal_integer_part(std::string_view text)
{
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    std::string_view number = text.substr(start);
    std::string_view digits = number.starts_with('+') || number.starts_with('-') ? number.substr(1) : number;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return number;
}

// A decimal integer in 32 bits, read with the standard library: a plain oracle for the parser.
std::optional<std::int32_t> reference_decimal_integer(std::string_view number)
{
    if (number.starts_with('+')) number.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
    return value;
}

void check_integer_parsing(const std::string& text)
{
    std::optional<std::int32_t> value = text_to_integer(text);
    require(text_to_integer(" " + text) == value);
    require(!text_to_integer(text + " "));
    if (std::optional<std::string_view> number = decimal_integer_part(text)) {
        require(value == reference_decimal_integer(*number));
        if (value) require(text_to_real(text) == static_cast<long double>(*value));
    }
    if (value) require(text_to_integer(std::to_string(*value)) == value);
}

void check_real_parsing(const std::string& text)
{
    std::optional<long double> value = text_to_real(text);
    require(!text_to_real(text + " "));
    if (!value) {
        require(!text_to_real(" " + text));
        return;
    }
    require(std::isfinite(*value));
    std::optional<long double> with_blank = text_to_real(" " + text);
    require(with_blank && *with_blank == *value);
    check_formatting(*value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 10) check_formatting(amount_from_bytes(data));
    std::string text(text_of(data, size));
    check_integer_parsing(text);
    check_real_parsing(text);
    return 0;
}
