// Where the running program's file is.
#pragma once

#include <windows.h>

#include <string>

// Full path of the running program file, however long.
std::string program_file_path();
// Full path of a loaded module's file (null: the running program's), however long.
std::string module_file_path(HMODULE module);

// Copies the running program to a new "Del....tmp" file that GetTempFileNameA makes in the
// temporary directory: the copy's path, or empty when no copy was made (a new file that could
// not be filled is removed again). The caller removes the copy when done with it.
std::string copy_program_to_temporary_file();
