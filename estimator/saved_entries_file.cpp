#include "saved_entries_file.h"

#include "program_path.h"
#include "saved_entries.h"
#include "scoped_handles.h"

namespace {

// Writes all of `bytes`; returns 0 or the error code.
DWORD write_all(HANDLE file, const char* bytes, DWORD size)
{
    DWORD written = 0;
    if (!WriteFile(file, bytes, size, &written, nullptr)) return GetLastError();
    return written == size ? 0 : ERROR_WRITE_FAULT;
}

} // namespace

std::string saved_entries_path()
{
    std::string path = running_program_path();
    std::size_t separator = path.find_last_of('\\');
    path.erase(separator == std::string::npos ? 0 : separator + 1);
    return path + saved_entries_file_name;
}

bool saved_entries_exist(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD read_saved_entries(const std::string& path, std::string& bytes)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return GetLastError();

    bytes.clear();
    char chunk[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) return GetLastError();
        if (read == 0) return 0;
        bytes.append(chunk, read);
    }
}

DWORD write_saved_entries(const std::string& path, const std::string& text)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.valid()) return GetLastError();

    // One write per line, so that a failure keeps the lines before it.
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        if (DWORD error = write_all(file.get(), text.data() + start, static_cast<DWORD>(end - start))) return error;
        start = end;
    }
    return 0;
}
