#include "system_library.h"

void restrict_library_search_to_system_directory()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    auto set_default_directories = library_function<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (set_default_directories) set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::string system_directory_path()
{
    // The length asked for counts the terminating NUL; the one written does not.
    UINT wanted = GetSystemDirectoryA(nullptr, 0);
    if (wanted == 0) return {};
    std::string directory(wanted, '\0');
    UINT length = GetSystemDirectoryA(directory.data(), wanted);
    directory.resize(length < wanted ? length : 0);
    return directory;
}

ScopedLibrary load_system_library(const std::string& system_directory, const char* name)
{
    if (system_directory.empty()) return ScopedLibrary();
    // With a full path, the altered search order looks for the library's own imports in its
    // directory first, not beside the program, where SetDefaultDllDirectories is missing too.
    std::string path = system_directory + "\\" + name;
    return ScopedLibrary(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

ScopedLibrary load_system_library(const char* name) { return load_system_library(system_directory_path(), name); }
