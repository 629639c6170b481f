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
    return read_line_from(
        [file](char& byte) {
            DWORD read = 0;
            return ReadFile(file, &byte, 1, &read, nullptr) && read == 1;
        },
        line);
}

bool write_field(HANDLE file, std::string_view text, bool comma)
{
    return write_bytes(file, text) && write_bytes(file, comma ? "," : "\r\n");
}
