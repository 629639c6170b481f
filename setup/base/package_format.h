// The package format that the package builder writes and the setup program reads: the container
// behind the setup program's image, the limits of the setup description's texts, and the words
// of its registry entries section. Plain constants, for the setup program, the package builder,
// the benchmark and the tests alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace package_format {

// ---------------------------------------------------------------------------------------------
// The container: the marker, four u32 header words, then one zlib stream of the package. The
// words are little-endian and, like the container itself, at any byte offset.

inline constexpr std::size_t container_marker_size = 24;

// The setup program searches its own file for the marker, so its image must never hold the
// marker whole: it keeps the first 23 bytes with a last byte of 0 and sets that byte to
// container_marker_last_byte only just before the search.
inline constexpr std::array<std::uint8_t, container_marker_size - 1> container_marker_start = {
    0x25, 0x24, 0x42, 0x1B, 0x81, 0x5F, 0x80, 0xD0, 0x81, 0x69, 0xF5, 0xFE,
    0x60, 0xC2, 0x97, 0x76, 0x91, 0x99, 0x54, 0x86, 0xF7, 0x41, 0x91};
inline constexpr std::uint8_t container_marker_last_byte = 0x01;

// The whole marker, for the package builder and the tests; the setup program must not use it.
inline constexpr std::array<std::uint8_t, container_marker_size> container_marker = [] {
    std::array<std::uint8_t, container_marker_size> marker{};
    for (std::size_t i = 0; i < container_marker_start.size(); ++i) marker[i] = container_marker_start[i];
    marker[container_marker_size - 1] = container_marker_last_byte;
    return marker;
}();

// Where the header words lie, from the marker's first byte.
inline constexpr std::size_t reserved_offset = 24;  // always 0
inline constexpr std::size_t compressed_length_offset = 28;
inline constexpr std::size_t inflated_length_offset = 32;
inline constexpr std::size_t checksum_offset = 36;  // CRC-32/BZIP2 of the compressed bytes
inline constexpr std::size_t container_header_size = 40;  // the zlib stream starts here

// Every length and position in the package is a u32.
inline constexpr std::uint64_t largest_package_size = 0xFFFFFFFFu;

// ---------------------------------------------------------------------------------------------
// The setup description's texts that the setup program keeps in fixed fields, in characters
// without the terminating NUL: it refuses a package with longer ones.

inline constexpr std::size_t format_marker_limit = 11;
inline constexpr std::size_t extension_limit = 1023;
inline constexpr std::size_t registry_token_limit = 4095;  // every text of the registry section
inline constexpr std::size_t key_name_limit = 1023;
// The registry allows no deeper keys; the limit also bounds every walk of the key tree.
inline constexpr int deepest_key_level = 512;

// ---------------------------------------------------------------------------------------------
// The registry entries section: text tokens from its start to its end word. The reader knows a
// record or a type by a token that contains its word.

inline constexpr std::string_view registry_section_start = "REGISTRYENTRIESSTART";
inline constexpr std::string_view registry_section_end = "REGISTRYENTRIESEND";
inline constexpr std::string_view root_record = "ROOT";
inline constexpr std::string_view child_record = "PARENTCHILD";
// A key's values block opens with one token that the reader drops unread; the builder writes
// this one for a person looking at the bytes.
inline constexpr std::string_view values_block_start = "VALUES";
// A value name or type holding this ends the values block of its key.
inline constexpr std::string_view values_block_end = "REGISTRYVALUEEND_UN_99";
inline constexpr std::string_view string_type = "STRING";
inline constexpr std::string_view dword_type = "DWORD";
inline constexpr std::string_view binary_type = "BINARY";

// The predefined keys that a root record may name.
inline constexpr char classes_root_name[] = "HKEY_CLASSES_ROOT";
inline constexpr char current_user_name[] = "HKEY_CURRENT_USER";
inline constexpr char local_machine_name[] = "HKEY_LOCAL_MACHINE";
inline constexpr char users_name[] = "HKEY_USERS";
inline constexpr std::array<std::string_view, 4> registry_root_names = {classes_root_name, current_user_name,
                                                                        local_machine_name, users_name};

} // namespace package_format
