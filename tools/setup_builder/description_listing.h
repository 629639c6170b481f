// The listing of a setup description: what the setup program reads from the package, as it
// reads it.
#pragma once

#include "Configure.h"

#include <cstdint>
#include <span>
#include <string>

namespace builder {

// Every field in the order the package stores it, the file table's three blocks and its
// contents merged into one block per file; then the offers the reader computed. Pictures are
// described from `package`, the one the description was read from, when it holds them.
std::string compose_description_listing(const ::SetupDescription& description, std::span<const std::uint8_t> package);

} // namespace builder
