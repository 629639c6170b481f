#include "container_listing.h"

#include "listing_lines.h"
#include "listing_values.h"

#include <cstdio>

namespace builder {

namespace {

std::string offset_text(std::size_t offset)
{
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%zX", offset);
    return std::to_string(offset) + " (" + hex + ")";
}

std::string checksum_text(std::uint32_t stored, std::uint32_t computed)
{
    if (stored == computed) return hex_u32(stored) + ", matches the compressed bytes";
    return hex_u32(stored) + ", does not match the compressed bytes (" + hex_u32(computed) + ")";
}

} // namespace

std::string compose_container_listing(const ContainerHeader& header, std::uint32_t computed_checksum)
{
    ListingLines lines;
    lines.open("container");
    lines.field("offset", offset_text(header.offset));
    lines.field("reserved", header.reserved);
    lines.field("compressed_length", header.compressed_length);
    lines.field("inflated_length", header.inflated_length);
    lines.field("checksum", checksum_text(header.checksum, computed_checksum));
    lines.close();
    return lines.text();
}

} // namespace builder
