#include "bitmap_image.h"

#include <cstdlib>
#include <optional>

namespace {

constexpr std::size_t info_header_min_size = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t compression_rgb = 0;
constexpr std::uint32_t compression_bitfields = 3;
constexpr std::size_t bitfields_masks_size = 12;

std::uint32_t u32_at(std::span<const std::uint8_t> image, std::size_t offset)
{
    return std::uint32_t{image[offset]} | std::uint32_t{image[offset + 1]} << 8 |
           std::uint32_t{image[offset + 2]} << 16 | std::uint32_t{image[offset + 3]} << 24;
}

std::uint16_t u16_at(std::span<const std::uint8_t> image, std::size_t offset)
{
    return static_cast<std::uint16_t>(image[offset] | image[offset + 1] << 8);
}

// The fields of the info header that decide how many bytes the bitmap call reads.
struct InfoHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t planes;
    std::uint16_t bit_count;
    std::uint32_t compression;
    std::uint32_t colours_used;
};

InfoHeader info_header_of(std::span<const std::uint8_t> image)
{
    const std::size_t at = bmp_file_header_size;
    return {u32_at(image, at), static_cast<std::int32_t>(u32_at(image, at + 4)),
            static_cast<std::int32_t>(u32_at(image, at + 8)), u16_at(image, at + 12), u16_at(image, at + 14),
            u32_at(image, at + 16), u32_at(image, at + 32)};
}

bool is_known_bit_count(std::uint16_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool is_known_compression(const InfoHeader& header)
{
    if (header.compression == compression_rgb) return true;
    return header.compression == compression_bitfields && (header.bit_count == 16 || header.bit_count == 32);
}

// Bytes of the colour table that follows the info header; none when the header names more
// colours than its bit count allows.
std::optional<std::uint64_t> colour_table_size(const InfoHeader& header)
{
    if (header.bit_count > 8) return std::uint64_t{header.colours_used} * 4;
    std::uint64_t possible = std::uint64_t{1} << header.bit_count;
    if (header.colours_used > possible) return std::nullopt;
    return (header.colours_used == 0 ? possible : header.colours_used) * 4;
}

// Where the pixel bits may start at the earliest: behind the header, masks and colour table.
std::optional<std::uint64_t> end_of_colour_description(const InfoHeader& header)
{
    std::optional<std::uint64_t> table = colour_table_size(header);
    if (!table) return std::nullopt;
    std::uint64_t end = bmp_file_header_size + std::uint64_t{header.size} + *table;
    if (header.compression == compression_bitfields && header.size == info_header_min_size)
        end += bitfields_masks_size;
    return end;
}

std::uint64_t pixel_bits_size(const InfoHeader& header)
{
    std::uint64_t row = (std::uint64_t(header.width) * header.bit_count + 31) / 32 * 4;
    std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(std::int64_t{header.height}));
    return row * rows;
}

} // namespace

BmpFault bmp_image_fault(std::span<const std::uint8_t> image)
{
    if (image.size() < bmp_file_header_size + info_header_min_size) return BmpFault::too_short;
    if (image[0] != 'B' || image[1] != 'M') return BmpFault::no_bm;
    InfoHeader header = info_header_of(image);
    if (header.size < info_header_min_size || header.size > image.size()) return BmpFault::info_header_size;
    if (header.width <= 0 || header.height == 0 || header.planes != 1) return BmpFault::dimensions;
    if (!is_known_bit_count(header.bit_count) || !is_known_compression(header)) return BmpFault::pixel_format;
    std::optional<std::uint64_t> description_end = end_of_colour_description(header);
    if (!description_end || *description_end > image.size()) return BmpFault::colour_table;
    std::uint64_t bits_offset = bmp_pixel_bits_offset(image);
    if (bits_offset < *description_end) return BmpFault::pixel_bits_offset;
    return bits_offset + pixel_bits_size(header) <= image.size() ? BmpFault::none : BmpFault::pixel_bits_outside;
}

std::uint32_t bmp_pixel_bits_offset(std::span<const std::uint8_t> image) { return u32_at(image, 10); }
