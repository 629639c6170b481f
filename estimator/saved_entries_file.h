// Reading and writing the saved entries file on disk.
#pragma once

#include <windows.h>

#include <string>

// Full path of "zelTax.txt" in the directory of the running program file.
std::string saved_entries_path();

// True when a file (not a directory) exists at the path.
bool saved_entries_exist(const std::string& path);

// Reads the whole file into `bytes`; returns 0 or the system's error code.
DWORD read_saved_entries(const std::string& path, std::string& bytes);

// Creates or empties the file and writes the text; returns 0 or the system's error code. Lines
// written before a failure stay in the file.
DWORD write_saved_entries(const std::string& path, const std::string& text);
