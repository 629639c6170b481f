#include "file_checks.h"

#include "bitmap_image.h"

#include <algorithm>

namespace builder {

std::optional<std::string> bitmap_problem(std::span<const std::uint8_t> image)
{
    switch (bmp_image_fault(image)) {
    case BmpFault::none: return std::nullopt;
    case BmpFault::too_short: return "it is too short for the BMP headers";
    case BmpFault::no_bm: return "it does not start with \"BM\"";
    case BmpFault::info_header_size: return "its bitmap header is not a BITMAPINFOHEADER or a later one";
    case BmpFault::dimensions: return "its width is not positive, its height is 0 or it has more than one plane";
    case BmpFault::pixel_format:
        return "it is not 1, 4, 8, 16, 24 or 32 bits per pixel uncompressed (or bit fields at 16 and 32)";
    case BmpFault::colour_table: return "its colour table does not fit its bits per pixel or the file";
    case BmpFault::pixel_bits_offset: return "its pixel offset lies inside its headers or colour table";
    case BmpFault::pixel_bits_outside: return "its pixel rows do not fit inside the file";
    }
    return "the setup program cannot show it";
}

std::optional<std::string> text_problem(std::span<const std::uint8_t> text)
{
    auto nul = std::ranges::find(text, 0);
    if (nul == text.end()) return std::nullopt;
    return "it holds a NUL byte at offset " + std::to_string(nul - text.begin());
}

} // namespace builder
