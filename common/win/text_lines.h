// Lines of the install log: reading one line, writing one field or line.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// The most characters read_line keeps in one line.
inline constexpr std::size_t max_line_length = 4095;

// Reads one line from the file, one byte at a time. The line ends at a LF, which is consumed and
// not kept, at the end of the file or at a read error. The text ends at the first CR (or NUL) of
// the line; the bytes after it up to the LF are read and dropped. True when at least one byte
// other than the LF was read: CR LF gives true and an empty text, a bare LF or the end of the file
// gives false.
// A line longer than max_line_length comes back in pieces: reading stops once that many bytes
// are taken, and the next call goes on where this one stopped, so each piece reads as a line of
// its own. (A piece that ends just before its LF is therefore followed by a bare LF: false.)
bool read_line(HANDLE file, std::string& line);

// Writes the text whole, then "," when `comma` is set, else CR LF. True when both writes
// succeed in full.
bool write_field(HANDLE file, std::string_view text, bool comma);
