// Where the running setup program file is.
#pragma once

#include <string>

// The program file's full path cut before its last backslash; empty when it has none.
std::string setup_directory();
