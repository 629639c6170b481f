#include "package_container.h"

#include <cstring>

namespace {

// The program searches its own file for this marker, so the image must not hold it whole:
// the last byte is stored as 0x00 and completed just before the search. Not const, so that
// it lives in writable data and the write cannot fault.
unsigned char g_container_marker[container_marker_size] = {
    0x25, 0x24, 0x42, 0x1B, 0x81, 0x5F, 0x80, 0xD0, 0x81, 0x69, 0xF5, 0xFE,
    0x60, 0xC2, 0x97, 0x76, 0x91, 0x99, 0x54, 0x86, 0xF7, 0x41, 0x91, 0x00,
};

std::uint32_t read_u32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

} // namespace

ContainerLocation find_container(std::span<const std::uint8_t> image)
{
    g_container_marker[container_marker_size - 1] = 0x01;
    ContainerLocation location;
    if (image.size() < container_marker_size) return location;

    // The first full match: memchr finds each candidate first byte, memcmp checks the rest.
    const std::uint8_t* begin = image.data();
    const std::uint8_t* last_start = begin + (image.size() - container_marker_size);
    const std::uint8_t* match = nullptr;
    const std::uint8_t* candidate = begin;
    while (candidate <= last_start) {
        candidate = static_cast<const std::uint8_t*>(
            std::memchr(candidate, g_container_marker[0], static_cast<std::size_t>(last_start - candidate) + 1));
        if (!candidate) break;
        if (std::memcmp(candidate + 1, g_container_marker + 1, container_marker_size - 1) == 0) {
            match = candidate;
            break;
        }
        ++candidate;
    }
    if (!match) return location;

    std::size_t offset = static_cast<std::size_t>(match - begin);
    location.header.offset = offset;
    location.result = ContainerSearch::damaged;
    if (image.size() - offset < container_header_size) return location;

    location.header.reserved = read_u32(image, offset + 24);
    location.header.compressed_length = read_u32(image, offset + 28);
    location.header.inflated_length = read_u32(image, offset + 32);
    location.header.checksum = read_u32(image, offset + 36);
    std::size_t stream_start = offset + container_header_size;
    if (location.header.compressed_length > image.size() - stream_start) return location;

    location.compressed = image.subspan(stream_start, location.header.compressed_length);
    location.result = ContainerSearch::found;
    return location;
}
