#include "program_file.h"

#include "directories.h"

#include <windows.h>

#include <vector>

std::string module_file_path(HMODULE module)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string program_file_path() { return module_file_path(nullptr); }

std::string copy_program_to_temporary_file()
{
    std::string directory = temporary_directory();
    // GetTempFileNameA writes the directory, the prefix, four hex digits and ".tmp".
    std::string copy(directory.size() + MAX_PATH, '\0');
    if (directory.empty() || !GetTempFileNameA(directory.c_str(), "Del", 0, copy.data())) return {};
    copy.resize(copy.find('\0'));
    if (CopyFileA(program_file_path().c_str(), copy.c_str(), FALSE)) return copy;
    DeleteFileA(copy.c_str());
    return {};
}
