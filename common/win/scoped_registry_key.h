// Owner of an opened or created registry key, closed with RegCloseKey. Give it only keys that
// RegOpenKeyExA or RegCreateKeyExA returned, never a predefined root such as HKEY_CURRENT_USER.
#pragma once

#include "scoped_resource.h"

#include <windows.h>

struct RegistryKeyTraits {
    using Value = HKEY;
    static Value none() noexcept { return nullptr; }
    static bool is_none(Value key) noexcept { return key == nullptr; }
    static void close(Value key) noexcept { RegCloseKey(key); }
};

using ScopedRegistryKey = ScopedResource<RegistryKeyTraits>;
