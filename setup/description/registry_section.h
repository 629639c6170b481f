// The registry entries section of the setup description: root and child key records, each
// followed by its values, up to the text that contains "REGISTRYENTRIESEND".
#pragma once

#include "package_cursor.h"
#include "registry_keys.h"
#include "registry_values.h"

// Reads from just behind the section's first text up to and including the text that ends the
// section, adding the keys and values it finds. False for a damaged section: a read past the
// end, a token over 4095 or a key name over 1023 characters, a child whose parent id no earlier
// key has, an id given twice, or a key more than 512 levels below its root.
bool read_registry_section(PackageCursor& cursor, RegistryKeyTree& keys, RegistryValueList& values);
