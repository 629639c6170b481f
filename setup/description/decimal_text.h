// Decimal numbers in the texts of the registry entries section, converted the way the C
// run-time's atoi and strtoul (base 10, 32-bit unsigned long) do.
#pragma once

#include <cstdint>
#include <string_view>

// Leading white space, an optional sign, digits; stops at the first other character. No digits
// give 0; numbers beyond the 32-bit signed range give its nearest end.
std::int32_t signed_decimal_from_text(std::string_view text);

// Leading white space, an optional sign, digits; stops at the first other character. No digits
// give 0; a minus sign negates modulo 2^32 ("-1" gives 4294967295); a magnitude beyond
// 4294967295 gives 4294967295 whatever the sign.
std::uint32_t unsigned_decimal_from_text(std::string_view text);
