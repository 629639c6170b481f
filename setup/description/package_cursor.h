// A read position in the package that never moves past its end. Every read either succeeds
// and advances, or fails and leaves the position where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>

class PackageCursor {
public:
    static constexpr std::size_t no_length_limit = std::numeric_limits<std::size_t>::max();

    explicit PackageCursor(std::span<const std::uint8_t> package, std::size_t position = 0);

    // A little-endian unsigned 32-bit value.
    std::optional<std::uint32_t> read_u32();

    // A text: its characters, a NUL and zero to three more padding bytes, so that the field
    // takes len - (len mod 4) + 4 bytes. Fails when the NUL or the padding lies past the end,
    // or when the text has more than max_length characters.
    std::optional<std::string> read_text(std::size_t max_length = no_length_limit);

    // A raw block: a u32 size, then that many bytes, not padded.
    std::optional<std::span<const std::uint8_t>> read_raw_block();

    // The next count bytes, as they stand in the package.
    std::optional<std::span<const std::uint8_t>> read_bytes(std::uint64_t count);

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return package_.size() - position_; }

private:
    std::span<const std::uint8_t> package_;
    std::size_t position_;
};

// Bytes a field of texts or pictures takes for that many characters or image bytes: 1 to 4
// zero bytes follow them. Wide enough that no 32-bit size wraps around.
constexpr std::uint64_t padded_field_size(std::uint64_t length) { return length - length % 4 + 4; }
