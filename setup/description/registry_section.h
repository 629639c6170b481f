// The registry entries section of the setup description: root and child key records, each
// followed by its values, up to the text that contains the section's end word (package_format.h).
#pragma once

#include "package_cursor.h"
#include "registry_keys.h"
#include "registry_values.h"

// Reads from just behind the section's first text up to and including the text that ends the
// section, adding the keys and values it finds. False for a damaged section: a read past the
// end, a token or a key name over its limit, a key name with a control character, a value name
// with a control character or a "\", a child whose parent id no earlier key has, an id given
// twice, or a key more levels below its root than the registry allows.
bool read_registry_section(PackageCursor& cursor, RegistryKeyTree& keys, RegistryValueList& values);
