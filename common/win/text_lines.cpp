#include "text_lines.h"

namespace {

// Writes all the bytes; a short write is a failure.
bool write_bytes(HANDLE file, std::string_view bytes)
{
    if (bytes.size() > MAXDWORD) return false;
    DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    return WriteFile(file, bytes.data(), size, &written, nullptr) && written == size;
}

} // namespace

bool read_line(HANDLE file, std::string& line)
{
    line.clear();
    bool text_ended = false;
    std::size_t taken = 0;
    while (taken < max_line_length) {
        char byte = 0;
        DWORD read = 0;
        if (!ReadFile(file, &byte, 1, &read, nullptr) || read == 0) break;
        if (byte == '\n') break;
        ++taken;
        // A CR (or NUL) ends the text; the bytes after it still count towards the line.
        if (byte == '\r' || byte == '\0') text_ended = true;
        if (!text_ended) line += byte;
    }
    return taken > 0;
}

bool write_field(HANDLE file, std::string_view text, bool comma)
{
    return write_bytes(file, text) && write_bytes(file, comma ? "," : "\r\n");
}
