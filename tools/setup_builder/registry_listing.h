// The listing of the setup description's registry entries.
#pragma once

#include "Configure.h"
#include "listing_lines.h"

namespace builder {

// A count line, then the key tree as the section reader built it: each key indented one level
// below its parent, its values first (name, kind and data), then its child keys.
void list_registry(const RegistryKeyTree& keys, const RegistryValueList& values, ListingLines& lines);

} // namespace builder
