// The BMP file images of the package's pictures. The window layer hands their info header and
// pixel bits to CreateDIBitmap, which trusts the sizes in the header; an image is accepted only
// when everything that call reads lies inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t bmp_file_header_size = 14;  // the info header starts here

// What is wrong with an image, in the order the checks are made; none for a well-formed one.
enum class BmpFault : std::uint8_t {
    none,
    too_short,             // shorter than the file header and a 40-byte info header
    no_bm,                 // does not start with "BM"
    info_header_size,      // an info header under 40 bytes or longer than the image
    dimensions,            // a width that is not positive, a height of 0, or not one plane
    pixel_format,          // bits per pixel or compression that the display does not take
    colour_table,          // more colours than the bits can index, or table and masks past the end
    pixel_bits_offset,     // the pixel bits start inside the headers or the colour table
    pixel_bits_outside,    // the rows do not fit between that offset and the end of the image
};

// "BM"; an info header of at least 40 bytes; one plane; 1, 4, 8, 16, 24 or 32 bits per pixel,
// uncompressed (or bit fields at 16 and 32); a positive width and a non-zero height (negative:
// top-down); the colour table and the bit fields masks inside the image; the pixel bits from
// the offset at byte 10, after the colour table, with room for every row (rows padded to 4
// bytes) before the image ends.
BmpFault bmp_image_fault(std::span<const std::uint8_t> image);
inline bool is_well_formed_bmp_image(std::span<const std::uint8_t> image)
{
    return bmp_image_fault(image) == BmpFault::none;
}

// The offset of the pixel bits from the start of a well-formed image (the u32 at byte 10).
std::uint32_t bmp_pixel_bits_offset(std::span<const std::uint8_t> image);
