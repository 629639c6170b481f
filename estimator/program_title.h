// The title of the program, used as the caption of its message boxes.
#pragma once

#include <string>
#include <string_view>

// The program file's name without directory and extension, every letter after the first in
// lower case: "zeltax" for "C:\Tools\ZELTAX.EXE" gives "Zeltax".
std::string program_title(std::string_view program_path);
