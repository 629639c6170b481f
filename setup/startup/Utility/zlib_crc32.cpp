// zlib's crc32(), for the setup program. zlib's inflate calls it only for gzip streams; the
// package is a zlib stream, checked with adler32. zlib's own crc32 comes with 7 KB of tables
// and code, which the linker cannot leave out; this one gives the same values bit by bit.
#include <zlib.h>

uLong crc32(uLong crc, const Bytef* bytes, uInt length)
{
    if (!bytes) return 0;
    crc = ~crc & 0xFFFFFFFFu;
    for (uInt i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc & 0xFFFFFFFFu;
}
