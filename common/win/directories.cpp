#include "directories.h"

#include "scoped_find_handle.h"
#include "scoped_handle.h"
#include "system_text.h"

#include <windows.h>

#include <shlwapi.h>

#include <cstring>

namespace {

// Creates one level; false only for an error other than "exists" or "access denied", which
// both mean the level is there to go on from (a drive such as C: gives one of them).
bool create_level(const std::string& level, int& created)
{
    if (CreateDirectoryA(level.c_str(), nullptr)) {
        ++created;
        return true;
    }
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

// Where the walk starts: past the first three backslashes of \\server\share\..., since the
// server alone is no directory to create.
std::size_t first_level_end(const std::string& path)
{
    if (path.compare(0, 2, "\\\\") != 0) return 0;
    std::size_t third = path.find('\\', 2);
    return third == std::string::npos ? path.size() : third + 1;
}

// The name GetTempFileNameA made in the directory, or empty when it made none. The buffer is
// sized from the directory, not left at MAX_PATH.
std::string make_probe_file(const std::string& directory)
{
    std::string name(directory.size() + MAX_PATH, '\0');
    if (!GetTempFileNameA(directory.c_str(), "CLF", 0, name.data())) return {};
    name.resize(std::strlen(name.c_str()));
    return name;
}

bool is_dot_entry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

} // namespace

bool create_directory_path(const std::string& path, int* created_levels)
{
    int created = 0;
    if (created_levels) *created_levels = 0;
    if (path.find('\\') == std::string::npos) return false;

    bool ok = true;
    for (std::size_t at = path.find('\\', first_level_end(path)); ok && at != std::string::npos;
         at = path.find('\\', at + 1)) {
        if (at > 0) ok = create_level(path.substr(0, at), created);
    }
    if (ok) ok = create_level(path, created);
    if (created_levels) *created_levels = created;
    return ok;
}

bool can_write_directory(const std::string& directory)
{
    if (directory.empty()) return false;
    std::string probe = make_probe_file(directory);
    if (probe.empty()) return false;

    ScopedHandle file(CreateFileA(probe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    bool opened = file.valid();
    file.reset();
    DeleteFileA(probe.c_str());
    return opened;
}

bool is_directory(const std::string& path) { return PathIsDirectoryA(path.c_str()) != FALSE; }

DirectoryState directory_state(const std::string& path)
{
    if (!is_directory(path)) return DirectoryState::not_a_directory;

    std::string pattern = path;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += "*.*";

    WIN32_FIND_DATAA entry;
    ScopedFindHandle search(FindFirstFileA(pattern.c_str(), &entry));
    if (!search.valid()) {
        // A listing that starts and finds nothing at all (a drive's empty root) is empty.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? DirectoryState::empty : DirectoryState::cannot_list;
    }
    do {
        if (!is_dot_entry(entry.cFileName)) return DirectoryState::not_empty;
    } while (FindNextFileA(search.get(), &entry));
    return DirectoryState::empty;
}

std::string temporary_directory()
{
    return system_text([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}
