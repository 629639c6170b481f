// Creating registry keys level by level and setting values, with every created key level and
// every value of the package's registry section recorded in the install log.
#pragma once

#include "install_context.h"
#include "install_texts.h"
#include "scoped_registry_key.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The predefined key of a root.
HKEY registry_root_key(RegistryRoot root);

// Opens or creates every level of `path` below `root`; each created level is logged as
// "Registry Entry Created" under the root's name. Returns the last level's status (0 =
// success); on success `key` holds the last level, open for reading and writing.
LONG create_key_path(const InstallContext& install, RegistryRoot root, std::string_view path, ScopedRegistryKey& key);

// RegSetValueExA; on success with a log key name, logs "Registry Value Created". A REG_SZ text's
// length excludes its terminating zero.
LONG set_registry_value(const InstallContext& install, HKEY key, const std::string& name, DWORD type,
                        const void* data, DWORD length, std::optional<std::string_view> log_key_name);

// Step 13: the package's registry entries section, key tree and values.
void write_registry_entries(const InstallContext& install);
