#include "crc.h"

#include <array>

namespace {

std::array<std::uint32_t, 256> make_crc_table()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i << 24;
        for (int bit = 0; bit < 8; ++bit) value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
        table[i] = value;
    }
    return table;
}

} // namespace

std::uint32_t compute_crc(std::span<const std::uint8_t> bytes)
{
    static const std::array<std::uint32_t, 256> table = make_crc_table();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes) crc = (crc << 8) ^ table[(crc >> 24) ^ b];
    return ~crc;
}
