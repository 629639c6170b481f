// What the removal does to the system for each kind of install log entry.
#pragma once

#include <string>

enum class RemovalResult {
    removed,
    failed,
    already_gone,  // a file that was missing before the removal: nothing to report
};

// DeleteFileA.
RemovalResult delete_file(const std::string& path);

// Deletes every plain file directly inside the directory (files the installation did not make
// too; subdirectories stay), then removes the directory. True when the directory is gone.
bool empty_and_remove_directory(const std::string& path);

// RemoveDirectoryA: a program group folder must be empty to go.
bool remove_directory(const std::string& path);

// DeleteFileA, and where that fails RemoveDirectoryA: a "Delete List" entry names either.
void delete_file_or_directory(const std::string& path);

// Deletes the key or the value a registry entry of the log names. True when it is gone.
bool remove_registry_key(const std::string& value);
bool remove_registry_value(const std::string& value);

// Starts the system directory's regsvr32.exe to unregister the file, without waiting for it.
void unregister_server(const std::string& system_directory, const std::string& path);
