#include "file_checks.h"

#include <algorithm>

namespace builder {

namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::uint32_t info_header_size = 40;

std::uint32_t read_u32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

} // namespace

std::optional<std::string> bitmap_problem(std::span<const std::uint8_t> image)
{
    if (image.size() < 2 || image[0] != 'B' || image[1] != 'M') return "it does not start with \"BM\"";
    if (image.size() < file_header_size + info_header_size) return "it is too short for the BMP headers";
    std::uint32_t header_size = read_u32(image, file_header_size);
    if (header_size < info_header_size || header_size > image.size() - file_header_size)
        return "its bitmap header is not a BITMAPINFOHEADER";
    std::uint32_t pixel_offset = read_u32(image, 10);
    if (pixel_offset < file_header_size + header_size || pixel_offset >= image.size())
        return "its pixel offset lies outside the file";
    return std::nullopt;
}

std::optional<std::string> text_problem(std::span<const std::uint8_t> text)
{
    auto nul = std::ranges::find(text, 0);
    if (nul == text.end()) return std::nullopt;
    return "it holds a NUL byte at offset " + std::to_string(nul - text.begin());
}

} // namespace builder
