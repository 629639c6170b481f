// CRC-32/BZIP2 of the package container: polynomial 0x04C11DB7, most significant bit first,
// initial value 0xFFFFFFFF, result complemented. "123456789" gives 0xFC891918.
#pragma once

#include <cstdint>
#include <span>

std::uint32_t compute_crc(std::span<const std::uint8_t> bytes);
