// The package: the setup description, field by field in the order the setup program reads
// it, followed by the contents of every file.
#pragma once

#include "setup_description.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace builder {

// True for "uninstall.exe" in any letter case: the uninstall module is not counted in the
// space an installation needs, and its flags offer nothing to the user.
bool is_uninstall_module(std::string_view name);

// Sum of the content sizes of every file but the uninstall module. Throws std::length_error
// when it does not fit 32 bits.
std::uint32_t total_install_size(const std::vector<FileEntry>& files);

// Throws std::length_error when the package would exceed 32-bit sizes, and
// std::invalid_argument for a description the format cannot carry (texts over their limits
// or holding a NUL, an extension naming no file after the first).
Bytes write_package(const SetupDescription& description);

} // namespace builder
