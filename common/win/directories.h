// Directories: creating a path level by level, probing, classifying, and the temporary one.
#pragma once

#include <string>

// Creates every missing level of the path, outermost first: CreateDirectoryA on the text before
// each "\" (none for an empty text) and then on the whole path. For a path that begins with two
// backslashes the first three backslashes are passed over, so the server name alone is never
// tried. A level that exists already or is refused with "access denied" counts as present.
// False at once for a path without "\" and at the first other error. `created_levels`, when
// given, receives how many levels were created (before a failure too).
bool create_directory_path(const std::string& path, int* created_levels = nullptr);

// Whether a file can be made in the directory: makes an empty "CLF" temporary file there, opens it
// for reading and writing, and deletes it again in every case.
bool can_write_directory(const std::string& directory);

// PathIsDirectoryA: an existing directory (or network share).
bool is_directory(const std::string& path);

// What the installation finds at its destination.
enum class DirectoryState {
    not_a_directory = 1, // nothing there, or a file: the directory is new
    cannot_list = 2,     // a directory whose listing cannot start
    not_empty = 3,       // holds an entry other than "." and ".."
    empty = 4,
};

DirectoryState directory_state(const std::string& path);

// GetTempPathA: the temporary directory with a trailing "\"; empty when the system gives none.
std::string temporary_directory();
