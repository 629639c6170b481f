// Where the running program's file is: the saved entries live beside it, and message boxes
// take their title from its name.
#pragma once

#include <string>

// Full path of the running program file, however long.
std::string running_program_path();
