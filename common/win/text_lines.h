// Lines of the install log: reading one line, writing one field or line.
#pragma once

#include "line_reader.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// Reads one line from the file, one byte at a time, as read_line_from (line_reader.h) says.
bool read_line(HANDLE file, std::string& line);

// Writes the text whole, then "," when `comma` is set, else CR LF. True when both writes
// succeed in full.
bool write_field(HANDLE file, std::string_view text, bool comma);
