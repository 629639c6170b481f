// Where the running program's file is.
#pragma once

#include <string>

// Full path of the running program file, however long.
std::string program_file_path();
