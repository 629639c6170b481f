#include "listing_values.h"

namespace builder {

namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

void append_hex_byte(std::string& out, std::uint8_t byte)
{
    out += hex_digits[byte >> 4];
    out += hex_digits[byte & 0x0F];
}

void append_escaped(std::string& out, char character)
{
    auto byte = static_cast<std::uint8_t>(character);
    switch (character) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\t': out += "\\t"; return;
    case '\r': out += "\\r"; return;
    case '\n': out += "\\n"; return;
    default: break;
    }
    if (byte >= 0x20 && byte < 0x7F) {
        out += character;
        return;
    }
    out += "\\x";
    append_hex_byte(out, byte);
}

} // namespace

std::string quoted_text(std::string_view text)
{
    std::string out = "\"";
    for (char character : text) append_escaped(out, character);
    return out + "\"";
}

std::string text_summary(std::string_view text, std::size_t shown)
{
    std::string out = std::to_string(text.size()) + " characters ";
    if (text.size() <= shown) return out + quoted_text(text);
    return out + quoted_text(text.substr(0, shown)) + "...";
}

std::string hex_u32(std::uint32_t value)
{
    std::string out = "0x";
    for (int shift = 24; shift >= 0; shift -= 8) append_hex_byte(out, static_cast<std::uint8_t>(value >> shift));
    return out;
}

std::string hex_bytes(std::span<const std::uint8_t> bytes)
{
    std::string out;
    for (std::uint8_t byte : bytes) {
        if (!out.empty()) out += ' ';
        append_hex_byte(out, byte);
    }
    return out;
}

} // namespace builder
