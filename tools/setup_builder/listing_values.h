// How the listing of a setup file shows single values, so that what it prints says exactly
// what the file holds: blanks at the ends of a text, control characters and bytes outside
// ASCII stay visible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace builder {

// The text in double quotes: `"` and `\` escaped with `\`, tab, CR and LF as \t, \r and \n,
// every other byte outside printable ASCII as \xNN.
std::string quoted_text(std::string_view text);

// "<length> characters", then the whole text quoted when it has at most `shown` characters,
// else the first `shown` of them quoted and followed by "...".
std::string text_summary(std::string_view text, std::size_t shown);

// 0x followed by eight upper-case hexadecimal digits.
std::string hex_u32(std::uint32_t value);

// Two upper-case hexadecimal digits per byte, separated by blanks; empty for no bytes.
std::string hex_bytes(std::span<const std::uint8_t> bytes);

} // namespace builder
