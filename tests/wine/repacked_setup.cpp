#include "repacked_setup.h"

#include "crc.h"
#include "package_format.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <span>

namespace {

using namespace package_format;

// A header word; the container's words are little-endian, as this machine's.
std::uint32_t word_at(const std::string& bytes, std::size_t offset)
{
    std::uint32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, sizeof word);
    return word;
}

void append_word(std::string& bytes, std::uint32_t word) { bytes.append(reinterpret_cast<const char*>(&word), sizeof word); }

std::span<const std::uint8_t> byte_span(const std::string& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

} // namespace

std::optional<std::string> repacked_setup(const std::string& setup, const PackageChange& change)
{
    const std::string marker(container_marker.begin(), container_marker.end());
    std::size_t container = setup.find(marker);
    if (container == std::string::npos || setup.size() - container < container_header_size) return std::nullopt;
    std::uint32_t compressed_length = word_at(setup, container + compressed_length_offset);
    if (setup.size() - container - container_header_size < compressed_length) return std::nullopt;

    uLongf inflated_length = word_at(setup, container + inflated_length_offset);
    std::string package(inflated_length, '\0');
    if (uncompress(reinterpret_cast<Bytef*>(package.data()), &inflated_length,
                   reinterpret_cast<const Bytef*>(setup.data() + container + container_header_size),
                   compressed_length) != Z_OK)
        return std::nullopt;
    package.resize(inflated_length);
    if (!change(package)) return std::nullopt;

    uLongf packed_length = compressBound(package.size());
    std::string packed(packed_length, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_length,
                  reinterpret_cast<const Bytef*>(package.data()), package.size(), Z_DEFAULT_COMPRESSION) != Z_OK)
        return std::nullopt;
    packed.resize(packed_length);

    std::string repacked = setup.substr(0, container) + marker;
    append_word(repacked, 0);
    append_word(repacked, static_cast<std::uint32_t>(packed.size()));
    append_word(repacked, static_cast<std::uint32_t>(package.size()));
    append_word(repacked, compute_crc(byte_span(packed)));
    return repacked + packed;
}

std::string package_text(std::string_view text)
{
    std::string bytes(text);
    bytes.append(4 - text.size() % 4, '\0');
    return bytes;
}
