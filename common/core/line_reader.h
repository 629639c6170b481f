// How the install log is read line by line: plain code over any source of bytes, so that the
// Win32 reader and the tests over bytes in memory follow one rule.
#pragma once

#include <cstddef>
#include <string>

// The most characters one line keeps.
inline constexpr std::size_t max_line_length = 4095;

// Reads one line from `next_byte` (a callable taking a char& that gives false at the end of the
// bytes or at a read error), one byte at a time. The line ends at a LF, which is consumed and not
// kept, at the end or at a read error. The text ends at the first CR (or NUL) of the line; the
// bytes after it up to the LF are read and dropped. True when at least one byte other than the LF
// was read: CR LF gives true and an empty text, a bare LF or the end gives false.
// A line longer than max_line_length comes back in pieces: reading stops once that many bytes
// are taken, and the next call goes on where this one stopped, so each piece reads as a line of
// its own. (A piece that ends just before its LF is therefore followed by a bare LF: false.)
template <class NextByte>
bool read_line_from(NextByte&& next_byte, std::string& line)
{
    line.clear();
    bool text_ended = false;
    std::size_t taken = 0;
    char byte = 0;
    while (taken < max_line_length && next_byte(byte)) {
        if (byte == '\n') break;
        ++taken;
        // A CR (or NUL) ends the text; the bytes after it still count towards the line.
        if (byte == '\r' || byte == '\0') text_ended = true;
        if (!text_ended) line += byte;
    }
    return taken > 0;
}
