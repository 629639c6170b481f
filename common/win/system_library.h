// Libraries of the system directory, loaded so that no file of the same name elsewhere (beside
// the program, in the current or the temporary directory) is ever taken instead.
#pragma once

#include "scoped_library.h"

#include <windows.h>

#include <string>

// From now on this process looks for libraries in the system directory only, also for those
// that system code loads by name later. Where the system lacks SetDefaultDllDirectories (it is
// looked up at run time: older systems do not have it), the search stays as it is. Called as the
// first thing a program does.
void restrict_library_search_to_system_directory();

// The system directory (GetSystemDirectoryA), however long; empty when the system gives none.
std::string system_directory_path();

// Loads the library `name` of `system_directory` by its full path; the libraries it needs in
// turn are looked for in that directory first. Empty when it cannot be loaded.
ScopedLibrary load_system_library(const std::string& system_directory, const char* name);
// The same in the directory that system_directory_path() gives.
ScopedLibrary load_system_library(const char* name);

// The library's function `name` as a pointer of type `Function`; null when it has none.
template <typename Function>
Function library_function(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
