// The encodings every field of a package is made of. Integers are little-endian, so the
// package reads the same on any host.
#pragma once

#include "setup_description.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace builder {

// `size` as a length field; throws std::length_error naming `what` when it does not fit.
std::uint32_t to_u32(std::size_t size, std::string_view what);

void append_u32(Bytes& out, std::uint32_t value);

// Characters, a NUL, then zeros up to len - len % 4 + 4 bytes in all (1 to 4 zero bytes).
// Throws std::invalid_argument for a text holding a NUL, which the reader would cut short.
void append_text(Bytes& out, std::string_view text);

// A u32 size, then, unless the image is empty, the image and 1 to 4 zero bytes.
void append_picture(Bytes& out, std::span<const std::uint8_t> image);

// A u32 size and the bytes, without padding.
void append_raw_block(Bytes& out, std::span<const std::uint8_t> bytes);

} // namespace builder
