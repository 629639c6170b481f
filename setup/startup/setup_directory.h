// Where the running setup program file is.
#pragma once

#include <string>

// Full path of the running setup program file, however long.
std::string setup_program_path();

// The program file's full path cut before its last backslash; empty when it has none.
std::string setup_directory();
