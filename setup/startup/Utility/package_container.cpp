#include "package_container.h"

#include <algorithm>

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
    const unsigned char* marker_begin = g_container_marker;
    auto match = std::search(image.begin(), image.end(), marker_begin, marker_begin + container_marker_size);
    ContainerLocation location;
    if (match == image.end()) return location;

    std::size_t offset = static_cast<std::size_t>(match - image.begin());
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
