#include "package_container.h"

#include "package_format.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace package_format;

namespace {

// The program searches its own file for this marker, so the image must not hold it whole:
// the last byte is stored as 0x00 and completed just before the search. Not const, so that
// it lives in writable data and the write cannot fault.
constinit std::array<std::uint8_t, container_marker_size> g_container_marker = [] {
    std::array<std::uint8_t, container_marker_size> marker{};
    std::copy(container_marker_start.begin(), container_marker_start.end(), marker.begin());
    return marker;
}();

std::uint32_t read_u32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

} // namespace

ContainerLocation find_container(std::span<const std::uint8_t> image)
{
    g_container_marker[container_marker_size - 1] = container_marker_last_byte;
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
        if (std::memcmp(candidate + 1, g_container_marker.data() + 1, container_marker_size - 1) == 0) {
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

    location.header.reserved = read_u32(image, offset + reserved_offset);
    location.header.compressed_length = read_u32(image, offset + compressed_length_offset);
    location.header.inflated_length = read_u32(image, offset + inflated_length_offset);
    location.header.checksum = read_u32(image, offset + checksum_offset);
    std::size_t stream_start = offset + container_header_size;
    if (location.header.compressed_length > image.size() - stream_start) return location;

    location.compressed = image.subspan(stream_start, location.header.compressed_length);
    location.result = ContainerSearch::found;
    return location;
}
