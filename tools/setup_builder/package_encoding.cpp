#include "package_encoding.h"

#include "package_format.h"

#include <stdexcept>
#include <string>

namespace builder {

using namespace package_format;

namespace {

void append_zeros(Bytes& out, std::size_t count)
{
    out.insert(out.end(), count, 0);
}

} // namespace

std::uint32_t to_u32(std::size_t size, std::string_view what)
{
    if (size > largest_package_size)
        throw std::length_error(std::string(what) + " is larger than " + std::to_string(largest_package_size) +
                                " bytes, the most a package can hold");
    return static_cast<std::uint32_t>(size);
}

void append_u32(Bytes& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void append_text(Bytes& out, std::string_view text)
{
    if (text.find('\0') != std::string_view::npos) throw std::invalid_argument("a package text holds a NUL byte");
    out.insert(out.end(), text.begin(), text.end());
    append_zeros(out, 4 - text.size() % 4);
}

void append_picture(Bytes& out, std::span<const std::uint8_t> image)
{
    append_u32(out, to_u32(image.size(), "a picture"));
    if (image.empty()) return;
    out.insert(out.end(), image.begin(), image.end());
    append_zeros(out, 4 - image.size() % 4);
}

void append_raw_block(Bytes& out, std::span<const std::uint8_t> bytes)
{
    append_u32(out, to_u32(bytes.size(), "a data block"));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace builder
