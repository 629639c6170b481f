// Conversions between the texts of the estimator's entries and numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A real amount: optional leading blanks, an optional sign, decimal digits with an optional "."
// (either side of it may be empty, not both), an optional exponent ("E"/"e", optional sign,
// digits). Nothing may follow. Empty text, anything else, and values beyond the range of the
// 80-bit type give no value.
std::optional<long double> text_to_real(std::string_view text);

// A 32-bit signed integer: optional leading blanks, an optional sign, then decimal digits or
// hexadecimal digits behind "$", "0x" or "x". Nothing may follow; values outside the 32-bit
// signed range give no value.
std::optional<std::int32_t> text_to_integer(std::string_view text);

// The amount rounded to a whole number, halves away from zero, printed in full with a leading
// "-" when negative and no separators. An amount that rounds to zero prints as "0".
std::string amount_to_text(long double amount);
