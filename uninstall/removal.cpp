#include "removal.h"

#include "process_start.h"
#include "scoped_find_handle.h"
#include "scoped_registry_key.h"
#include "uninstall_logic.h"

#include <windows.h>

namespace {

struct RootName {
    const char* name;
    HKEY key;
};

const RootName root_names[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},   {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
};

// Exact names; any other means the current user's key, as the installation writes it.
HKEY root_key(const std::string& name)
{
    for (const RootName& root : root_names)
        if (name == root.name) return root.key;
    return HKEY_CURRENT_USER;
}

// Opens the parent key of the log value and calls `remove` on it with the last name.
template <typename Remove>
bool remove_in_parent(const std::string& value, Remove remove)
{
    RegistryPath path = split_registry_path(value);
    HKEY root = root_key(path.root_name);
    if (path.parent_key.empty()) return remove(root, path.last_name.c_str()) == ERROR_SUCCESS;
    ScopedRegistryKey parent;
    if (RegOpenKeyExA(root, path.parent_key.c_str(), 0, KEY_READ | KEY_WRITE, parent.receive()) != ERROR_SUCCESS)
        return false;
    return remove(parent.get(), path.last_name.c_str()) == ERROR_SUCCESS;
}

} // namespace

RemovalResult delete_file(const std::string& path)
{
    if (DeleteFileA(path.c_str())) return RemovalResult::removed;
    return GetLastError() == ERROR_FILE_NOT_FOUND ? RemovalResult::already_gone : RemovalResult::failed;
}

bool empty_and_remove_directory(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    ScopedFindHandle search(FindFirstFileA((path + "\\*.*").c_str(), &found));
    if (search.valid()) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((path + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search.get(), &found));
    }
    search.reset();
    return RemoveDirectoryA(path.c_str());
}

bool remove_directory(const std::string& path) { return RemoveDirectoryA(path.c_str()); }

void delete_file_or_directory(const std::string& path)
{
    if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
}

// A value without a key name would name the root itself, which is never removed.
bool remove_registry_key(const std::string& value)
{
    if (split_registry_path(value).last_name.empty()) return false;
    return remove_in_parent(value, RegDeleteKeyA);
}

bool remove_registry_value(const std::string& value) { return remove_in_parent(value, RegDeleteValueA); }

void unregister_server(const std::string& system_directory, const std::string& path)
{
    start_without_waiting(unregister_command(system_directory, path));
}
