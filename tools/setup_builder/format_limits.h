// Sizes of the setup program's fixed text buffers, less the terminating NUL: longer texts
// would be cut or overrun when the package is read.
#pragma once

#include <cstddef>
#include <string_view>

namespace builder {

inline constexpr std::size_t max_format_marker_length = 11;
inline constexpr std::size_t max_extension_length = 1023;
inline constexpr std::size_t max_registry_token_length = 4095;
inline constexpr std::size_t max_key_name_length = 1023;

// A value name holding this ends the values block of its key when read.
inline constexpr std::string_view registry_values_end = "REGISTRYVALUEEND_UN_99";

// The four predefined keys a registry root node may name.
inline constexpr std::string_view registry_root_names[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                           "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

} // namespace builder
