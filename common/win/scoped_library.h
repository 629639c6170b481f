// Owner of a loaded library, freed with FreeLibrary.
#pragma once

#include "scoped_resource.h"

#include <windows.h>

struct LibraryTraits {
    using Value = HMODULE;
    static Value none() noexcept { return nullptr; }
    static bool is_none(Value module) noexcept { return module == nullptr; }
    static void close(Value module) noexcept { FreeLibrary(module); }
};

using ScopedLibrary = ScopedResource<LibraryTraits>;
