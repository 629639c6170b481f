#include "system_folders.h"

#include "directories.h"
#include "system_library.h"
#include "system_text.h"

#include <windows.h>

#include <cstring>

namespace {

using ProfileDirectoryFunction = BOOL(WINAPI*)(LPSTR, LPDWORD);
using LongPathNameFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// userenv's profile directories; Windows 95 to Me have no userenv.dll, so it is looked up.
void add_profile_directories(const std::string& system_directory, std::vector<std::string>& paths)
{
    ScopedLibrary userenv = load_system_library(system_directory, "userenv.dll");
    if (!userenv.valid()) return;
    for (const char* name : {"GetProfilesDirectoryA", "GetAllUsersProfileDirectoryA", "GetDefaultUserProfileDirectoryA"}) {
        auto get = library_function<ProfileDirectoryFunction>(userenv.get(), name);
        if (!get) continue;
        paths.push_back(system_text([get](char* buffer, DWORD size) -> DWORD {
            DWORD needed = size;
            if (get(buffer, &needed)) return static_cast<DWORD>(strnlen(buffer, size));
            return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? needed : 0;
        }));
    }
}

// The folder's path in 8.3 names and in long names, as the file system gives them; empty where
// it gives none.
std::string short_form(const std::string& path)
{
    return system_text([&](char* buffer, DWORD size) { return GetShortPathNameA(path.c_str(), buffer, size); });
}

std::string long_form(const std::string& path, LongPathNameFunction long_path_name)
{
    if (!long_path_name) return {};
    return system_text([&](char* buffer, DWORD size) { return long_path_name(path.c_str(), buffer, size); });
}

} // namespace

std::vector<std::string> system_folder_paths(const SpecialFolders& folders)
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < static_cast<std::size_t>(SpecialFolder::count); ++i)
        paths.push_back(folders[static_cast<SpecialFolder>(i)]);
    paths.push_back(system_text([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); }));
    paths.push_back(system_text([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); }));
    paths.push_back(temporary_directory());
    add_profile_directories(folders.system, paths);

    // Windows 95 has no GetLongPathNameA; kernel32 stays loaded in every process.
    auto long_path_name = library_function<LongPathNameFunction>(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA");
    const std::size_t resolved = paths.size();
    for (std::size_t i = 0; i < resolved; ++i) {
        if (paths[i].empty()) continue;
        paths.push_back(short_form(paths[i]));
        paths.push_back(long_form(paths[i], long_path_name));
    }
    std::erase_if(paths, [](const std::string& path) { return path.empty(); });
    return paths;
}
