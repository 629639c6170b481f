// Building the registry key tree from the key paths a manifest names.
#pragma once

#include "setup_description.h"

#include <string>
#include <vector>

namespace builder {

// The node for `levels` (root first), made with any missing parents. Names are compared
// without regard to letter case, as the registry does; new nodes go after their siblings, so
// the tree keeps the order in which keys are first named.
RegistryKeyNode& find_or_add_key(std::vector<RegistryKeyNode>& roots, const std::vector<std::string>& levels);

} // namespace builder
