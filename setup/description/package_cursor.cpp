#include "package_cursor.h"

#include <algorithm>

PackageCursor::PackageCursor(std::span<const std::uint8_t> package, std::size_t position)
    : package_(package), position_(std::min(position, package.size()))
{
}

std::optional<std::span<const std::uint8_t>> PackageCursor::read_bytes(std::uint64_t count)
{
    if (count > remaining()) return std::nullopt;
    std::span<const std::uint8_t> bytes = package_.subspan(position_, static_cast<std::size_t>(count));
    position_ += bytes.size();
    return bytes;
}

std::optional<std::uint32_t> PackageCursor::read_u32()
{
    std::optional<std::span<const std::uint8_t>> bytes = read_bytes(4);
    if (!bytes) return std::nullopt;
    const std::span<const std::uint8_t>& b = *bytes;
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

std::optional<std::string> PackageCursor::read_text(std::size_t max_length)
{
    // Look for the NUL no further than a text of the longest allowed length would reach.
    std::size_t search_length = std::min(remaining(), max_length == no_length_limit ? max_length : max_length + 1);
    std::span<const std::uint8_t> window = package_.subspan(position_, search_length);
    auto nul = std::find(window.begin(), window.end(), std::uint8_t{0});
    if (nul == window.end()) return std::nullopt;
    std::size_t length = static_cast<std::size_t>(nul - window.begin());
    if (padded_field_size(length) > remaining()) return std::nullopt;
    std::string text(window.begin(), nul);
    position_ += static_cast<std::size_t>(padded_field_size(length));
    return text;
}

std::optional<std::span<const std::uint8_t>> PackageCursor::read_raw_block()
{
    std::size_t start = position_;
    std::optional<std::uint32_t> size = read_u32();
    if (!size) return std::nullopt;
    std::optional<std::span<const std::uint8_t>> bytes = read_bytes(*size);
    if (!bytes) position_ = start;
    return bytes;
}
