// Finding the package container behind the setup program's own image; its layout is in
// package_format.h.
#pragma once

#include <cstdint>
#include <span>

struct ContainerHeader {
    std::size_t offset = 0;  // of the marker in the file image
    std::uint32_t reserved = 0;
    std::uint32_t compressed_length = 0;
    std::uint32_t inflated_length = 0;
    std::uint32_t checksum = 0;
};

enum class ContainerSearch {
    not_found,  // no full marker: not a packaged setup program
    damaged,    // a marker, but the header or the compressed bytes run past the end of the file
    found,
};

struct ContainerLocation {
    ContainerSearch result = ContainerSearch::not_found;
    ContainerHeader header;
    std::span<const std::uint8_t> compressed;  // the zlib stream, when found
};

// Searches the file image forward for the first full marker and reads the header behind it.
ContainerLocation find_container(std::span<const std::uint8_t> file_image);
