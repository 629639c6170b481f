// Appending a package to the bare setup program image.
#pragma once

#include "setup_description.h"

#include <cstddef>
#include <optional>
#include <span>

namespace builder {

// The package as one zlib stream, compressed by libdeflate at its strongest level.
Bytes compress_package(std::span<const std::uint8_t> package);

// Offset of the first complete container marker in `bytes`, if any.
std::optional<std::size_t> find_container_marker(std::span<const std::uint8_t> bytes);

// The setup file: the stub, the container header, the compressed package; nothing after.
// Throws BuildError for a stub that is not a Windows program image or already holds the
// marker (the setup program would take that one for its container).
Bytes write_container(std::span<const std::uint8_t> stub, std::span<const std::uint8_t> package);

} // namespace builder
