// The container behind the setup program's image: the marker that the program searches its
// own file for, four u32 header words (reserved 0, compressed length, package length,
// CRC-32/BZIP2 of the compressed bytes), then one zlib stream of the package.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace builder {

inline constexpr std::array<std::uint8_t, 24> container_marker = {
    0x25, 0x24, 0x42, 0x1B, 0x81, 0x5F, 0x80, 0xD0, 0x81, 0x69, 0xF5, 0xFE,
    0x60, 0xC2, 0x97, 0x76, 0x91, 0x99, 0x54, 0x86, 0xF7, 0x41, 0x91, 0x01};

inline constexpr std::size_t container_header_size = container_marker.size() + 4 * 4;

} // namespace builder
