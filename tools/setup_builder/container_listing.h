// The listing of a setup file's container header.
#pragma once

#include "package_container.h"

#include <cstdint>
#include <string>

namespace builder {

// Where the container starts in the file, its four header words, and whether the checksum
// in the header is the one computed over the compressed bytes.
std::string compose_container_listing(const ContainerHeader& header, std::uint32_t computed_checksum);

} // namespace builder
