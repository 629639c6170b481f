// The registry entries section: a run of text tokens between its start and end words
// (package_format.h), a root or child record per key (parents first), each followed by the
// values block of that key.
#pragma once

#include "setup_description.h"

#include <vector>

namespace builder {

// Appends the section. Keys are numbered 1, 2, ... depth first, parents before children, so
// every child record follows the record of its parent. Throws std::invalid_argument for a
// tree the reader would misread (over-long tokens or key names, a value name that ends the
// values block).
void append_registry_section(Bytes& out, const std::vector<RegistryKeyNode>& roots);

} // namespace builder
