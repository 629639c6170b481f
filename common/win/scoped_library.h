// Owner of a loaded library, freed with FreeLibrary, and the two ways the programs load one.
#pragma once

#include "scoped_resource.h"

#include <windows.h>

#include <string>

struct LibraryTraits {
    using Value = HMODULE;
    static Value none() noexcept { return nullptr; }
    static bool is_none(Value module) noexcept { return module == nullptr; }
    static void close(Value module) noexcept { FreeLibrary(module); }
};

using ScopedLibrary = ScopedResource<LibraryTraits>;

// The system directory's library of that name, by its full path, so that a library of the same
// name beside the program is never taken.
inline ScopedLibrary load_system_library(const std::string& system_directory, const char* name)
{
    return ScopedLibrary(LoadLibraryA((system_directory + "\\" + name).c_str()));
}

// A function that not every system has, looked up rather than linked; null when it is missing.
template <typename Function>
Function find_function(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
