#include "crc.h"

#include <array>

namespace {

// Slicing by eight: tables[0] is the classic byte table; tables[k][i] is the CRC of byte i
// followed by k zero bytes, so that eight bytes are folded in with eight independent lookups.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

CrcTables make_crc_tables()
{
    CrcTables tables{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i << 24;
        for (int bit = 0; bit < 8; ++bit) value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
        tables[0][i] = value;
    }
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (std::size_t i = 0; i < 256; ++i) {
            std::uint32_t previous = tables[k - 1][i];
            tables[k][i] = (previous << 8) ^ tables[0][previous >> 24];
        }
    }
    return tables;
}

} // namespace

std::uint32_t compute_crc(std::span<const std::uint8_t> bytes)
{
    static const CrcTables tables = make_crc_tables();
    const auto& t = tables;
    std::uint32_t crc = 0xFFFFFFFFu;
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; left -= 8, p += 8) {
        std::uint32_t high = crc ^ (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3]);
        crc = t[7][high >> 24] ^ t[6][(high >> 16) & 0xFF] ^ t[5][(high >> 8) & 0xFF] ^ t[4][high & 0xFF] ^
              t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; left > 0; --left, ++p) crc = (crc << 8) ^ t[0][(crc >> 24) ^ *p];
    return ~crc;
}
